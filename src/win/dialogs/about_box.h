#pragma once
// The modal About box (dialog 500).
#include "win/program/app_state.h"

namespace pxm::win {

void ShowAboutBox(const AppState& state);

}  // namespace pxm::win

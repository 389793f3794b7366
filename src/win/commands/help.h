#pragma once
// Opens PXMHelp.CHM from the program's directory (Help Topics and F1).
#include "win/program/app_state.h"

namespace pxm::win {

void ShowHelp(const AppState& state, HWND owner);

}  // namespace pxm::win

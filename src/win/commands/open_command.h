#pragma once
// Open (command 201): choose a BMP, read it, load its preview, and show that a picture is in.
#include "win/program/app_state.h"

namespace pxm::win {

void OpenCommand(AppState& state);

}  // namespace pxm::win

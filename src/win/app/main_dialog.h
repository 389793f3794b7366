#pragma once
// The main window (dialog 100), run modally until the user closes it.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// Returns the dialog's result: 0 after a normal close.
INT_PTR RunMainDialog(AppState& state);

}  // namespace pxm::win

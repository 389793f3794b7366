#pragma once
// The Save As file dialog and the save that follows it.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// Asks for the output file; a confirmed choice sets state.savePath and, for a .p00, .prg or
// .tap name, state.container, then saves in state.exportFormat. Returns the save's result, or
// 0 when the dialog was cancelled.
int ShowSaveDialog(AppState& state, HWND owner);

}  // namespace pxm::win

#pragma once
// The Save As file dialog and the save that follows it.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// Asks for the output file; a confirmed choice sets state.savePath and, for a .p00, .prg or
// .tap name, state.container, then saves in state.exportFormat. True when the file was
// written; false when the dialog was cancelled or the save failed (and has said why).
bool ShowSaveDialog(AppState& state, HWND owner);

}  // namespace pxm::win

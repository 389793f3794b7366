#pragma once
// The one save path behind Save, Save As and every format and container.
#include <windows.h>

#include "win/program/app_state.h"

namespace pxm::win {

// Writes the Koala picture to state.savePath in the given format and container and reports the
// outcome in the status bar. Returns 1 when the file was written, 0 after a reported failure.
int SavePicture(const AppState& state, HWND owner, ExportFormat format, Container container);

}  // namespace pxm::win

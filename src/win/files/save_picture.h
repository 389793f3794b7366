#pragma once
// The one save path behind Save, Save As and every format and container.
#include <windows.h>

#include "core/base/result.h"
#include "platform/system_error.h"
#include "win/program/app_state.h"

namespace pxm::win {

// Writes the Koala picture safely to state.savePath in the given format and container and
// reports the outcome in the status bar. A failure has been shown under "System Error" when it
// comes back; an existing file then stays as it was.
Status<platform::SystemError> SavePicture(const AppState& state, HWND owner, ExportFormat format, Container container);

}  // namespace pxm::win

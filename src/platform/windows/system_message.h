#pragma once
// The system's own text for a Windows error code, from FormatMessageA in the ANSI code page, as
// the system gives it (ending in its line break), for a message box; SystemErrorText gives the
// same text on one line. When the system has no text for the code, the code is named instead.
#include <windows.h>

#include <string>

namespace pxm::platform {

std::string SystemMessage(DWORD code);

}  // namespace pxm::platform

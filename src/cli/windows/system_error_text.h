#pragma once
// The system's own text for a Windows error code, from FormatMessageA (in the ANSI code page,
// as the Windows program shows it), without the line break Windows ends it with.
#include <windows.h>

#include <string>

namespace pxm::cli {

std::string SystemErrorText(DWORD code);

// The text of GetLastError().
std::string LastErrorText();

}  // namespace pxm::cli

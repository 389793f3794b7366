#pragma once
// Puts a finished file on disk without risking the one it replaces.
#include <windows.h>

#include <cstdint>
#include <span>

namespace pxm::win {

// Writes the bytes to a temporary file beside the target and moves it over the target only once
// every byte is on disk. Any failure is shown with ReportSystemError, the temporary file is
// removed and an existing target stays as it was. Returns 1 when the target holds the bytes.
int CommitFile(HWND owner, const char* target, std::span<const std::uint8_t> bytes);

}  // namespace pxm::win

#pragma once
// Message boxes of the program: single OK button, owned by the given window.
#include <windows.h>

#include <string_view>

#include "core/text/messages.h"
#include "platform/system_error.h"

namespace pxm::win {

void ShowMessage(HWND owner, const Message& message);
void ShowMessage(HWND owner, std::string_view caption, std::string_view text, MessageIcon icon);

// Shows the system's text for the error under "System Error".
void ReportSystemError(HWND owner, platform::SystemError error);
// The same for GetLastError(): call it right after the failing call, before any other system call.
void ReportSystemError(HWND owner);

}  // namespace pxm::win

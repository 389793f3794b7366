#include "win/common/message_box.h"

#include <string>

#include "platform/windows/system_message.h"

namespace pxm::win {

namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::Error:
            break;
    }
    return MB_ICONERROR;
}

}  // namespace

void ShowMessage(HWND owner, std::string_view caption, std::string_view text, MessageIcon icon) {
    const std::string terminatedCaption(caption);
    const std::string terminatedText(text);
    MessageBoxA(owner, terminatedText.c_str(), terminatedCaption.c_str(), MB_OK | IconStyle(icon));
}

void ShowMessage(HWND owner, const Message& message) { ShowMessage(owner, message.caption, message.text, message.icon); }

void ReportSystemError(HWND owner, platform::SystemError error) {
    // The system's text as it gives it, line break and all.
    ShowMessage(owner, msg::SystemErrorCaption, platform::SystemMessage(error.code), MessageIcon::Error);
}

void ReportSystemError(HWND owner) { ReportSystemError(owner, platform::LastSystemError()); }

}  // namespace pxm::win

#include "win/common/message_box.h"

#include <string>

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

// Frees a buffer that FormatMessage allocated, and only such a buffer.
struct LocalText {
    char* text = nullptr;
    LocalText() = default;
    LocalText(const LocalText&) = delete;
    LocalText& operator=(const LocalText&) = delete;
    ~LocalText() {
        if (text) LocalFree(text);
    }
};

}  // namespace

void ShowMessage(HWND owner, std::string_view caption, std::string_view text, MessageIcon icon) {
    const std::string terminatedCaption(caption);
    const std::string terminatedText(text);
    MessageBoxA(owner, terminatedText.c_str(), terminatedCaption.c_str(), MB_OK | IconStyle(icon));
}

void ShowMessage(HWND owner, const Message& message) { ShowMessage(owner, message.caption, message.text, message.icon); }

void ReportSystemError(HWND owner) {
    const DWORD code = GetLastError();
    LocalText buffer;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<char*>(&buffer.text), 0, nullptr);
    if (length != 0 && buffer.text) {
        ShowMessage(owner, msg::SystemErrorCaption, buffer.text, MessageIcon::Error);
        return;
    }
    // The system has no text for this code: name the code rather than show nothing.
    ShowMessage(owner, msg::SystemErrorCaption, SystemErrorFallbackText(code), MessageIcon::Error);
}

}  // namespace pxm::win

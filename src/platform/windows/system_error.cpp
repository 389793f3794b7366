#include "platform/system_error.h"

#include "core/text/messages.h"
#include "platform/windows/system_message.h"

namespace pxm::platform {

namespace {

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

SystemError LastSystemError() { return {GetLastError()}; }

std::string SystemMessage(DWORD code) {
    LocalText buffer;
    // Inserts are ignored: no system text is given arguments here.
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer.text), 0, nullptr);
    if (length != 0 && buffer.text) return std::string(buffer.text, length);
    // The system has no text for this code: name the code rather than show nothing.
    return SystemErrorFallbackText(code);
}

std::string SystemErrorText(SystemError error) {
    std::string text = SystemMessage(error.code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text.empty() ? SystemErrorFallbackText(error.code) : text;
}

}  // namespace pxm::platform

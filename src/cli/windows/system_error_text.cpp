#include "cli/windows/system_error_text.h"

#include "core/text/messages.h"

namespace pxm::cli {

std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer != nullptr ? buffer : "", buffer != nullptr ? length : 0);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    // The system has no text for this code: name the code rather than show nothing.
    return text.empty() ? SystemErrorFallbackText(code) : text;
}

std::string LastErrorText() { return SystemErrorText(GetLastError()); }

}  // namespace pxm::cli

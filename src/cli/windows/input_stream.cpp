#include "cli/input_stream.h"

#include <windows.h>

#include <algorithm>

#include "cli/windows/system_error_text.h"

namespace pxm::cli {

namespace {

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

InputStream::InputStream(const std::string& path) {
    // A directory is not opened as a file: Windows says "Access is denied.", as the Linux
    // converter does.
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        openError_ = LastErrorText();
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

InputStream::~InputStream() {
    if (openError_.empty()) CloseHandle(HandleOf(handle_));
}

std::optional<std::size_t> InputStream::Read(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 20));
    if (!ReadFile(HandleOf(handle_), buffer.data(), wanted, &got, nullptr)) return std::nullopt;
    return got;
}

}  // namespace pxm::cli

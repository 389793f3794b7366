#include "cli/input_stream.h"

#include <windows.h>

#include <algorithm>

#include "cli/windows/system_error_text.h"

namespace pxm::cli {

namespace {

HANDLE HandleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

InputStream::InputStream(const std::string& path) {
    if (path == "-") {
        // Read with ReadFile, below the C runtime: no text mode turns "\r\n" into "\n".
        handle_ = reinterpret_cast<std::intptr_t>(GetStdHandle(STD_INPUT_HANDLE));
        owned_ = false;
        return;
    }
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
    if (openError_.empty() && owned_) CloseHandle(HandleOf(handle_));
}

std::optional<std::size_t> InputStream::Read(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 20));
    if (!ReadFile(HandleOf(handle_), buffer.data(), wanted, &got, nullptr)) {
        // A pipe whose writer has finished ends this way.
        if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
        return std::nullopt;
    }
    return got;
}

}  // namespace pxm::cli

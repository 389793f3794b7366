#include "platform/readable_file.h"

#include <algorithm>

#include "platform/windows/unique_handle.h"

namespace pxm::platform {

struct ReadableFile::Native {
    UniqueHandle file;
};

ReadableFile::ReadableFile(std::unique_ptr<Native> native) : native_(std::move(native)) {}
ReadableFile::ReadableFile(ReadableFile&&) noexcept = default;
ReadableFile& ReadableFile::operator=(ReadableFile&&) noexcept = default;
ReadableFile::~ReadableFile() = default;

Result<ReadableFile, SystemError> ReadableFile::Open(const std::string& path) {
    // A directory is not opened as a file: Windows says "Access is denied.".
    UniqueHandle file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return Fail(LastSystemError());
    return ReadableFile(std::make_unique<Native>(Native{std::move(file)}));
}

std::size_t ReadableFile::LengthHint() const {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(native_->file.get(), &length) || length.QuadPart < 0) return 0;
    return static_cast<std::size_t>(length.QuadPart);
}

Result<ReadableFile, SystemError> ReadableFile::StandardInput() {
    // Read with ReadFile, below the C runtime: no text mode turns "\r\n" into "\n".
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_INPUT_HANDLE), GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return Fail(LastSystemError());
    return ReadableFile(std::make_unique<Native>(Native{UniqueHandle(copy)}));
}

Result<std::size_t, SystemError> ReadableFile::Read(std::span<std::uint8_t> buffer) {
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 20));
    if (!ReadFile(native_->file.get(), buffer.data(), wanted, &got, nullptr)) {
        // A pipe whose writer has finished ends this way.
        if (GetLastError() == ERROR_BROKEN_PIPE) return std::size_t{0};
        return Fail(LastSystemError());
    }
    return static_cast<std::size_t>(got);
}

}  // namespace pxm::platform

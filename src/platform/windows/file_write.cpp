#include "platform/file_write.h"

#include <windows.h>

#include <algorithm>

#include "platform/temporary_path.h"
#include "platform/windows/unique_handle.h"

namespace pxm::platform {

namespace {

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

// A new temporary file beside the target, never one that is there already.
UniqueHandle CreateTemporary(const std::string& target, std::string& temporary) {
    for (int attempt = 0;; ++attempt) {
        temporary = TemporaryBeside(target, GetCurrentProcessId(), attempt);
        UniqueHandle file(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.valid() || GetLastError() != ERROR_FILE_EXISTS || attempt + 1 == TemporaryAttempts) return file;
    }
}

}  // namespace

Status<SystemError> WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    // MoveFileEx replaces a read-only file under Wine; Windows refuses it. Refuse it everywhere,
    // and a directory too.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return Fail(SystemError{ERROR_ACCESS_DENIED});

    std::string temporary;
    UniqueHandle file = CreateTemporary(path, temporary);
    if (!file.valid()) return Fail(LastSystemError());
    // Flushed before the move: closing cannot lose data any more.
    const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) && file.Close();
    const SystemError error = LastSystemError();
    file.Close();
    if (written && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return Done{};
    const SystemError failure = written ? LastSystemError() : error;
    DeleteFileA(temporary.c_str());
    return Fail(failure);
}

}  // namespace pxm::platform

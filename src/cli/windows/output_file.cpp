// The Windows program's safe save (win/files/file_commit.cpp), worded for the converter: the
// texts come back instead of being shown in a message box.
#include "cli/output_file.h"

#include <windows.h>

#include <algorithm>

#include "cli/temporary_path.h"
#include "cli/windows/system_error_text.h"
#include "cli/windows/unique_file.h"

namespace pxm::cli {

namespace {

// At most this many names are tried for the temporary file before giving up.
constexpr int TemporaryAttempts = 100;

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
HANDLE CreateTemporary(const std::string& target, std::string& temporary) {
    for (int attempt = 0;; ++attempt) {
        temporary = TemporaryBeside(target, GetCurrentProcessId(), attempt);
        const HANDLE file =
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS || attempt + 1 == TemporaryAttempts)
            return file;
    }
}

}  // namespace

std::string WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
    // MoveFileEx replaces a read-only file under Wine; Windows refuses it. Refuse it everywhere,
    // and a directory too.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return SystemErrorText(ERROR_ACCESS_DENIED);

    std::string temporary;
    UniqueFile file(CreateTemporary(path, temporary));
    if (!file.valid()) return LastErrorText();
    // Flushed before the move: closing cannot lose data any more.
    const bool written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) && file.Close();
    const DWORD error = GetLastError();
    file.Close();
    if (written && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const std::string text = SystemErrorText(written ? GetLastError() : error);
    DeleteFileA(temporary.c_str());
    return text;
}

}  // namespace pxm::cli

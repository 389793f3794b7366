#include "win/files/file_commit.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <string_view>

#include "win/common/gdi_handles.h"
#include "win/common/message_box.h"

namespace pxm::win {

namespace {

// Beside the target, so the final move stays on one volume; the process id keeps two running
// copies of the program apart.
std::string TemporaryPathFor(std::string_view target) {
    const std::size_t slash = target.find_last_of("\\/:");
    std::string path(slash == std::string_view::npos ? std::string_view{} : target.substr(0, slash + 1));
    std::array<char, 32> name{};
    std::snprintf(name.data(), name.size(), "~pxm%08lX.tmp", static_cast<unsigned long>(GetCurrentProcessId()));
    path += name.data();
    return path;
}

// MoveFileEx replaces a read-only file under Wine; Windows refuses it. Refuse it everywhere.
bool TargetIsReadOnly(const char* target) {
    const DWORD attributes = GetFileAttributesA(target);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        if (written != chunk) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes = bytes.subspan(chunk);
    }
    return true;
}

// Fills the temporary file; reports the failing call and returns false on any failure.
bool WriteTemporary(HWND owner, const std::string& path, std::span<const std::uint8_t> bytes) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        ReportSystemError(owner);
        return false;
    }
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
        ReportSystemError(owner);
        return false;
    }
    return true;  // flushed: closing cannot lose data any more
}

}  // namespace

int CommitFile(HWND owner, const char* target, std::span<const std::uint8_t> bytes) {
    if (TargetIsReadOnly(target)) {
        SetLastError(ERROR_ACCESS_DENIED);
        ReportSystemError(owner);
        return 0;
    }
    const std::string temporary = TemporaryPathFor(target);
    if (!WriteTemporary(owner, temporary, bytes)) {
        DeleteFileA(temporary.c_str());
        return 0;
    }
    if (!MoveFileExA(temporary.c_str(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ReportSystemError(owner);
        DeleteFileA(temporary.c_str());
        return 0;
    }
    return 1;
}

}  // namespace pxm::win

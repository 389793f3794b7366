#include "platform/file_identity.h"

#include <windows.h>

#include "platform/windows/unique_handle.h"

namespace pxm::platform {

namespace {

std::optional<FileIdentity> IdentityOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    // No access asked for: only the file's information is read; a folder needs backup semantics.
    UniqueHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return std::nullopt;
    return IdentityOfHandle(file.get());
}

std::optional<FileIdentity> StandardOutputIdentity() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE || GetFileType(output) != FILE_TYPE_DISK) return std::nullopt;
    return IdentityOfHandle(output);
}

}  // namespace pxm::platform

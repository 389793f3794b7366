#include "platform/folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace pxm::platform {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status<SystemError> CheckFolderOf(const std::string& filePath) {
    const auto slash = filePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : filePath.substr(0, slash);
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return Fail(SystemError{static_cast<std::uint32_t>(errno)});
    if (!S_ISDIR(info.st_mode)) return Fail(SystemError{ENOTDIR});
    return Done{};
}

}  // namespace pxm::platform

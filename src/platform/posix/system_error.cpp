#include "platform/system_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/path_parts.h"
#include "platform/posix/path_error.h"

namespace pxm::platform {

namespace {

std::string DirectoryOf(std::string_view path) {
    const std::string_view directory = SplitPath(path).directory;
    if (directory.empty()) return ".";
    if (directory.size() == 1) return "/";
    return std::string(directory.substr(0, directory.size() - 1));
}

}  // namespace

SystemError LastSystemError() { return {static_cast<std::uint32_t>(errno)}; }

std::string SystemErrorText(SystemError error) {
    switch (static_cast<int>(error.code)) {
        case ENOENT: return "The system cannot find the file specified.";
        case ENOTDIR: return "The system cannot find the path specified.";
        case EACCES:
        case EPERM:
        case EISDIR: return "Access is denied.";
        case ENOSPC:
        case EDQUOT: return "There is not enough space on the disk.";
        case EROFS: return "The media is write protected.";
        case ENAMETOOLONG: return "The filename or extension is too long.";
        default: return std::strerror(static_cast<int>(error.code));
    }
}

SystemError PathError(int error, std::string_view path) {
    if (error == ENOENT) {
        struct stat info {};
        if (stat(DirectoryOf(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {ENOTDIR};
    }
    return {static_cast<std::uint32_t>(error)};
}

}  // namespace pxm::platform

#include "cli/posix/system_error_text.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace pxm::cli {

namespace {

constexpr std::string_view FileNotFound = "The system cannot find the file specified.";
constexpr std::string_view PathNotFound = "The system cannot find the path specified.";

std::string DirectoryOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return ".";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

}  // namespace

std::string SystemErrorText(int error) {
    switch (error) {
        case ENOENT: return std::string(FileNotFound);
        case ENOTDIR: return std::string(PathNotFound);
        case EACCES:
        case EPERM:
        case EISDIR: return "Access is denied.";
        case ENOSPC:
        case EDQUOT: return "There is not enough space on the disk.";
        case EROFS: return "The media is write protected.";
        case ENAMETOOLONG: return "The filename or extension is too long.";
        default: return std::strerror(error);
    }
}

std::string PathErrorText(int error, std::string_view path) {
    if (error == ENOENT) {
        struct stat info {};
        if (stat(DirectoryOf(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::string(PathNotFound);
    }
    return SystemErrorText(error);
}

}  // namespace pxm::cli

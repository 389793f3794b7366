#include "cli/folders.h"

#include <sys/stat.h>

#include <cerrno>

#include "cli/posix/system_error_text.h"

namespace pxm::cli {

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string MissingFolderText(const std::string& filePath) {
    const auto slash = filePath.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : filePath.substr(0, slash);
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return SystemErrorText(errno == ENOENT ? ENOTDIR : errno);
    return S_ISDIR(info.st_mode) ? std::string() : SystemErrorText(ENOTDIR);
}

}  // namespace pxm::cli

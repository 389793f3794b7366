#include "platform/folders.h"

#include <windows.h>

#include "platform/path_parts.h"

namespace pxm::platform {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

Status<SystemError> CheckFolderOf(const std::string& filePath) {
    const auto separator = filePath.find_last_of(PathSeparators);
    if (separator == std::string::npos) return Done{};
    // "C:" and "\" are folders as they stand; "dir\" is the folder "dir".
    const bool root = separator == 0 || filePath[separator] == ':' || filePath[separator - 1] == ':';
    const std::string folder = filePath.substr(0, separator + (root ? 1 : 0));
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    const DWORD error = GetLastError();
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return Done{};
    // A missing folder, or a file in its place: CreateFile would not find the path to a file in it.
    const bool missing = attributes != INVALID_FILE_ATTRIBUTES || error == ERROR_FILE_NOT_FOUND ||
                         error == ERROR_PATH_NOT_FOUND;
    return Fail(SystemError{missing ? static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND) : error});
}

}  // namespace pxm::platform

#pragma once
// Folders among the paths the user gives: told before anything is read or written.
#include <string>

#include "core/base/result.h"
#include "platform/system_error.h"

namespace pxm::platform {

bool IsFolder(const std::string& path);

// Fails with the system's error (path not found) when the folder a file is to be written into
// is missing or is no folder.
Status<SystemError> CheckFolderOf(const std::string& filePath);

}  // namespace pxm::platform

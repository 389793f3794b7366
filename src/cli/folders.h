#pragma once
// Folders among the paths the user gives: told before anything is read or written.
#include <string>

namespace pxm::cli {

bool IsFolder(const std::string& path);

// The system's text when the folder a file is to be written into is missing or is no folder;
// empty when it is there.
std::string MissingFolderText(const std::string& filePath);

}  // namespace pxm::cli

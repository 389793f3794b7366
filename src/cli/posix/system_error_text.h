#pragma once
// The operating system's text for a failed file operation, worded as the Windows program
// words the same failure, so that both tools report alike.
#include <string>
#include <string_view>

namespace pxm::cli {

// The text for an errno value.
std::string SystemErrorText(int error);

// As SystemErrorText, but a missing file and a missing directory on its path are told apart,
// as Windows does: ENOENT for `path` becomes "path not found" when its directory is missing.
std::string PathErrorText(int error, std::string_view path);

}  // namespace pxm::cli

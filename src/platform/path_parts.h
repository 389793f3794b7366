#pragma once
// The one way a path the user gives is split into its directory and its file name.
#include <string_view>

namespace pxm::platform {

// What ends a directory in a path: Windows also takes '\' and a drive's ':'.
#ifdef _WIN32
inline constexpr std::string_view PathSeparators = "\\/:";
#else
inline constexpr std::string_view PathSeparators = "/";
#endif

struct PathParts {
    std::string_view directory;  // up to and with the last separator; empty when there is none
    std::string_view name;       // the rest
};

constexpr PathParts SplitPath(std::string_view path) {
    const auto separator = path.find_last_of(PathSeparators);
    if (separator == std::string_view::npos) return {{}, path};
    return {path.substr(0, separator + 1), path.substr(separator + 1)};
}

}  // namespace pxm::platform

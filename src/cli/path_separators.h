#pragma once
// What ends a directory in a path the user gives: Windows also takes '\' and a drive's ':'.
#include <string_view>

namespace pxm::cli {

#ifdef _WIN32
inline constexpr std::string_view PathSeparators = "\\/:";
#else
inline constexpr std::string_view PathSeparators = "/";
#endif

}  // namespace pxm::cli

#pragma once
// The program's 260-character path buffers and the two things done to them in more than one place.
#include <windows.h>

#include <array>
#include <string_view>

namespace pxm::win {

inline constexpr std::size_t PathCapacity = MAX_PATH;  // 260 characters with the terminating zero
using PathBuffer = std::array<char, PathCapacity>;

// The text in a path buffer, cut to fit and always terminated.
PathBuffer ToPathBuffer(std::string_view text);

// The full form of a path (GetFullPathNameA); the path itself when the full form does not fit.
PathBuffer FullPath(const char* path);

// The file-name part of a path: what follows its directory (platform::SplitPath).
const char* FileNamePart(const char* path);

}  // namespace pxm::win

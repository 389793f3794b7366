#include "win/common/path_buffer.h"

#include <algorithm>

#include "platform/path_parts.h"

namespace pxm::win {

PathBuffer ToPathBuffer(std::string_view text) {
    PathBuffer buffer{};
    std::copy_n(text.begin(), std::min(text.size(), buffer.size() - 1), buffer.begin());
    return buffer;
}

PathBuffer FullPath(const char* path) {
    PathBuffer full{};
    char* namePart = nullptr;
    const DWORD length = GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), &namePart);
    return length == 0 || length >= full.size() ? ToPathBuffer(path) : full;
}

const char* FileNamePart(const char* path) { return path + platform::SplitPath(path).directory.size(); }

}  // namespace pxm::win

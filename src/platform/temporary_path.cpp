#include "platform/temporary_path.h"

#include "platform/path_parts.h"

namespace pxm::platform {

std::string TemporaryBeside(std::string_view target, std::uint32_t processId, int attempt) {
    const PathParts parts = SplitPath(target);
    std::string path(parts.directory);
    path += '.';
    path += parts.name;
    path += '.' + std::to_string(processId) + '-' + std::to_string(attempt) + ".tmp";
    return path;
}

}  // namespace pxm::platform

#include "cli/temporary_path.h"

#include "cli/path_separators.h"
#include "cli/text_join.h"

namespace pxm::cli {

std::string TemporaryBeside(std::string_view target, std::uint32_t processId, int attempt) {
    const auto slash = target.find_last_of(PathSeparators);
    const std::string_view directory = slash == std::string_view::npos ? "" : target.substr(0, slash + 1);
    const std::string_view name = slash == std::string_view::npos ? target : target.substr(slash + 1);
    return Join({directory, ".", name, ".", std::to_string(processId), "-", std::to_string(attempt), ".tmp"});
}

}  // namespace pxm::cli

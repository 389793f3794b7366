#include "cli/program_name.h"

#include "core/format/c64_file.h"
#include "core/format/petscii_name.h"
#include "platform/path_parts.h"

namespace pxm::cli {

std::string ProgramName(std::string_view outputPath) {
    std::string_view name = platform::SplitPath(outputPath).name;
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    std::string petscii;
    for (const char c : name.substr(0, C64NameLength)) petscii.push_back(PetsciiOf(c).value_or('?'));
    return petscii;
}

}  // namespace pxm::cli

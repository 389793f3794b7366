#include "cli/program_name.h"

#include "cli/path_separators.h"
#include "core/format/c64_file.h"
#include "core/format/petscii_name.h"

namespace pxm::cli {

std::string ProgramName(std::string_view outputPath) {
    std::string_view name = outputPath.substr(outputPath.find_last_of(PathSeparators) + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    std::string petscii;
    for (const char c : name.substr(0, C64NameLength)) petscii.push_back(PetsciiOf(c).value_or('?'));
    return petscii;
}

}  // namespace pxm::cli

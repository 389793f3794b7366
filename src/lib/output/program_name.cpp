#include "lib/output/program_name.h"

#include "core/format/c64_file.h"
#include "core/format/petscii_name.h"
#include "platform/path_parts.h"

namespace pxm {

ProgramNameOf ProgramName(std::string_view outputPath) {
    std::string_view name = platform::SplitPath(outputPath).name;
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    ProgramNameOf program;
    for (const char c : name) {
        const std::optional<char> petscii = PetsciiOf(c);
        // A stand-in sign would show a character nobody typed: the character is left out.
        if (!petscii || program.petscii.size() == C64NameLength) {
            program.asTyped = false;
            continue;
        }
        program.petscii.push_back(*petscii);
    }
    return program;
}

}  // namespace pxm

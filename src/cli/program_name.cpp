#include "cli/program_name.h"

#include "core/format/c64_file.h"

namespace pxm::cli {

namespace {

char PetsciiOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    // ' ' to ']' stand for the same characters in ASCII and PETSCII.
    if (c >= ' ' && c <= ']') return c;
    return '?';
}

}  // namespace

std::string ProgramName(std::string_view outputPath) {
    std::string_view name = outputPath.substr(outputPath.find_last_of('/') + 1);
    if (const auto dot = name.find_last_of('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    std::string petscii;
    for (const char c : name.substr(0, C64NameLength)) petscii.push_back(PetsciiOf(c));
    return petscii;
}

}  // namespace pxm::cli

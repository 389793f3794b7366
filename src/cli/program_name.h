#pragma once
// The C64 name of a program the converter writes: the output file's name without directory
// and extension, in capitals, cut to the 16 characters a C64 name holds.
#include <string>
#include <string_view>

namespace pxm::cli {

// PETSCII bytes as PetsciiOf gives them (letters in capitals, digits, space and the punctuation
// both character sets share); any other character becomes '?'.
std::string ProgramName(std::string_view outputPath);

}  // namespace pxm::cli

#pragma once
// The C64 name of a program the converter writes: the output file's name without directory
// and extension, in capitals, without the characters a C64 cannot show, cut to the 16
// characters a C64 name holds.
#include <string>
#include <string_view>

namespace pxm {

struct ProgramNameOf {
    std::string petscii;  // as PetsciiOf gives them: letters in capitals, digits, space, punctuation
    bool asTyped = true;  // false when characters were left out or cut off
};

ProgramNameOf ProgramName(std::string_view outputPath);

}  // namespace pxm

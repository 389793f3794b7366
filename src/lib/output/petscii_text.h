#pragma once
// A C64 file name (PETSCII) as terminal text: what a C64 shows after power-on for letters,
// digits, space and punctuation; any other byte as {$XX}.
#include <string>
#include <string_view>

namespace pxm {

std::string PetsciiText(std::string_view petscii);

}  // namespace pxm

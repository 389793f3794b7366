#pragma once
// A C64 file name from text typed on a PC (UTF-8): letters become the upper-case letters a C64
// shows after power-on, digits, space and the punctuation PETSCII shows at the same codes stay.
#include <optional>
#include <string>
#include <string_view>

namespace pxm {

struct PetsciiName {
    std::string bytes;  // PETSCII, 1 to C64NameLength bytes, when the text could be converted
    std::string error;  // otherwise why not, naming the first character that cannot be shown

    bool ok() const { return error.empty(); }
};

PetsciiName PetsciiNameFromText(std::string_view text);

// The PETSCII byte of one ASCII character in a C64 file name, or none when a C64 cannot show it.
std::optional<char> PetsciiOf(char c);

}  // namespace pxm

#pragma once
// A C64 file name from text typed on a PC (UTF-8): letters become the upper-case letters a C64
// shows after power-on, digits, space and the punctuation PETSCII shows at the same codes stay.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/result.h"

namespace pxm {

// ASCII punctuation that PETSCII shows at the same code ('\\', '^', '_' and the rest are other
// signs there, or none).
inline constexpr std::string_view PetsciiPunctuation = "!\"#$%&'()*+,-./:;<=>?@[]";

// Why a text makes no C64 file name: the first character that cannot be shown, or the length.
struct PetsciiNameFailure {
    enum class Kind { Empty, NotUtf8, NotShown, TooLong };
    Kind kind = Kind::Empty;
    std::string character;        // NotUtf8: the byte that starts no UTF-8 character; NotShown: the character
    std::uint32_t codePoint = 0;  // NotShown
    std::size_t length = 0;       // TooLong: how many characters the text has
};

// The PETSCII name, 1 to C64NameLength bytes.
Result<std::string, PetsciiNameFailure> PetsciiNameFromText(std::string_view text);

// The PETSCII byte of one ASCII character in a C64 file name, or none when a C64 cannot show it.
std::optional<char> PetsciiOf(char c);

}  // namespace pxm

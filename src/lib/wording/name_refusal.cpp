#include "lib/wording/name_refusal.h"

#include <cstdio>

#include "lib/wording/text_join.h"
#include "core/format/c64_file.h"

namespace pxm {

namespace {

// "'é' (U+00E9)"; a control character is told by its number alone.
std::string CharacterText(const PetsciiNameFailure& failure) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(failure.codePoint));
    const std::string_view character = failure.character;
    const bool control = character.size() == 1 && (character[0] < ' ' || character[0] == 0x7F);
    if (control) return number;
    return Join({"'", character, "' (", number, ")"});
}

std::string ByteText(char c) {
    char text[16];
    std::snprintf(text, sizeof text, "byte $%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string NameRefusalText(const PetsciiNameFailure& failure, std::string_view text) {
    using Kind = PetsciiNameFailure::Kind;
    switch (failure.kind) {
        case Kind::Empty: break;
        case Kind::NotUtf8:
            return Join({"the C64 file name holds ", ByteText(failure.character.at(0)), ", which is not UTF-8 text"});
        case Kind::NotShown:
            return Join({"the C64 file name cannot hold ", CharacterText(failure),
                         "; it takes letters, digits, space and ", PetsciiPunctuation});
        case Kind::TooLong:
            return Join({"the C64 file name '", text, "' has ", std::to_string(failure.length), " characters; at most ",
                         std::to_string(C64NameLength), " fit"});
    }
    return "the C64 file name is empty";
}

}  // namespace pxm

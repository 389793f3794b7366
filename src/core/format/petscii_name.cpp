#include "core/format/petscii_name.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include "core/format/c64_file.h"

namespace pxm {

namespace {

// ASCII punctuation that PETSCII shows at the same code ('\\', '^', '_' and the rest are other
// signs there, or none).
constexpr std::string_view Punctuation = "!\"#$%&'()*+,-./:;<=>?@[]";

// Length of the UTF-8 sequence starting at text[at], 0 when it is not one.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    }
    return length;
}

std::uint32_t CodePoint(std::string_view sequence) {
    static constexpr std::array<unsigned, 5> LeadBits{0, 0x7F, 0x1F, 0x0F, 0x07};
    std::uint32_t value = static_cast<unsigned char>(sequence[0]) & LeadBits[sequence.size()];
    for (const char c : sequence.substr(1)) value = (value << 6) | (static_cast<unsigned char>(c) & 0x3F);
    return value;
}

// "'é' (U+00E9)"; a control character is told by its number alone.
std::string CharacterText(std::string_view sequence) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(CodePoint(sequence)));
    const bool control = sequence.size() == 1 && (sequence[0] < ' ' || sequence[0] == 0x7F);
    if (control) return number;
    std::string text = "'";
    text.append(sequence).append("' (").append(number).append(")");
    return text;
}

std::string ByteText(char c) {
    char text[16];
    std::snprintf(text, sizeof text, "byte $%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
    return text;
}

PetsciiName Refused(std::string error) { return {{}, std::move(error)}; }

}  // namespace

std::optional<char> PetsciiOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    if (c == ' ' || Punctuation.find(c) != std::string_view::npos) return c;
    return std::nullopt;
}

PetsciiName PetsciiNameFromText(std::string_view text) {
    if (text.empty()) return Refused("the C64 file name is empty");
    std::string bytes;  // one byte for each character: all others are refused
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return Refused("the C64 file name holds " + ByteText(text[at]) + ", which is not UTF-8 text");
        const std::optional<char> petscii = length == 1 ? PetsciiOf(text[at]) : std::nullopt;
        if (!petscii) {
            return Refused("the C64 file name cannot hold " + CharacterText(text.substr(at, length)) +
                           "; it takes letters, digits, space and " + std::string(Punctuation));
        }
        bytes.push_back(*petscii);
        at += length;
    }
    if (bytes.size() > C64NameLength) {
        return Refused("the C64 file name '" + std::string(text) + "' has " + std::to_string(bytes.size()) +
                       " characters; at most " + std::to_string(C64NameLength) + " fit");
    }
    return {bytes, {}};
}

}  // namespace pxm

#include "core/format/petscii_name.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/format/c64_file.h"

namespace pxm {

namespace {

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

PetsciiNameFailure Failed(PetsciiNameFailure::Kind kind, std::string character = {}) {
    PetsciiNameFailure failure;
    failure.kind = kind;
    failure.character = std::move(character);
    return failure;
}

}  // namespace

std::optional<char> PetsciiOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    if (c == ' ' || PetsciiPunctuation.find(c) != std::string_view::npos) return c;
    return std::nullopt;
}

Result<std::string, PetsciiNameFailure> PetsciiNameFromText(std::string_view text) {
    using Kind = PetsciiNameFailure::Kind;
    if (text.empty()) return Fail(Failed(Kind::Empty));
    std::string bytes;  // one byte for each character: all others are refused
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8Length(text, at);
        if (length == 0) return Fail(Failed(Kind::NotUtf8, std::string(1, text[at])));
        const std::optional<char> petscii = length == 1 ? PetsciiOf(text[at]) : std::nullopt;
        if (!petscii) {
            PetsciiNameFailure failure = Failed(Kind::NotShown, std::string(text.substr(at, length)));
            failure.codePoint = CodePoint(failure.character);
            return Fail(std::move(failure));
        }
        bytes.push_back(*petscii);
        at += length;
    }
    if (bytes.size() > C64NameLength) {
        PetsciiNameFailure failure = Failed(Kind::TooLong);
        failure.length = bytes.size();
        return Fail(std::move(failure));
    }
    return bytes;
}

}  // namespace pxm

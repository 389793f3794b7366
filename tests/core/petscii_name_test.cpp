#include "core/format/petscii_name.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_names.h"

namespace pxm {
namespace {

using Kind = PetsciiNameFailure::Kind;

// A text and the PETSCII name it gives, or the failure and what it names.
struct NameCase {
    std::string label;
    std::string text;
    std::string petscii;
    Kind kind = Kind::Empty;
    std::string character;
    std::uint32_t codePoint = 0;
    std::size_t length = 0;
};

std::string CaseName(const NameCase& c) { return c.label; }
void PrintTo(const NameCase& c, std::ostream* out) { *out << CaseName(c); }

NameCase Converted(std::string label, std::string text, std::string petscii) {
    return {label, text, petscii, Kind::Empty, {}, 0, 0};
}
NameCase NotShown(std::string label, std::string text, std::string character, std::uint32_t codePoint) {
    return {label, text, {}, Kind::NotShown, character, codePoint, 0};
}
NameCase NotUtf8(std::string label, std::string text, char byte) {
    return {label, text, {}, Kind::NotUtf8, std::string(1, byte), 0, 0};
}

class PetsciiNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PetsciiNames, ConvertedOrRefused) {
    const NameCase& c = GetParam();
    const auto name = PetsciiNameFromText(c.text);
    ASSERT_EQ(name.ok(), !c.petscii.empty());
    if (name) {
        EXPECT_EQ(*name, c.petscii);
        return;
    }
    EXPECT_EQ(name.error().kind, c.kind);
    EXPECT_EQ(name.error().character, c.character);
    EXPECT_EQ(name.error().codePoint, c.codePoint);
    EXPECT_EQ(name.error().length, c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Converted, PetsciiNames,
    ::testing::Values(Converted("LowerCaseToCapitals", "sunset", "\x53\x55\x4E\x53\x45\x54"),
                      Converted("CapitalsStay", "SUNSET", "SUNSET"), Converted("Mixed", "Pic 01", "PIC 01"),
                      Converted("Digits", "0123456789", "0123456789"),
                      Converted("PunctuationFirstHalf", "!\"#$%&'()*+,-./", "!\"#$%&'()*+,-./"),
                      Converted("PunctuationSecondHalf", ":;<=>?@[]", ":;<=>?@[]"), Converted("OneCharacter", "x", "X"),
                      Converted("SixteenCharacters", "abcdefghijklmnop", "ABCDEFGHIJKLMNOP")),
    test::CaseNames{});

INSTANTIATE_TEST_SUITE_P(
    Refused, PetsciiNames,
    ::testing::Values(
        NameCase{"Empty", "", {}, Kind::Empty, {}, 0, 0},
        NameCase{"SeventeenCharacters", "abcdefghijklmnopq", {}, Kind::TooLong, {}, 0, 17},
        NotShown("Backslash", "a\\b", "\\", 0x5C), NotShown("Underscore", "my_pic", "_", 0x5F),
        NotShown("Caret", "^", "^", 0x5E), NotShown("Braces", "{x}", "{", 0x7B), NotShown("Tilde", "a~", "~", 0x7E),
        NotShown("Tab", "a\tb", "\t", 0x09), NotShown("Delete", "\x7F", "\x7F", 0x7F),
        NotShown("Accented", "caf\xC3\xA9", "\xC3\xA9", 0xE9), NotShown("Pound", "\xC2\xA3", "\xC2\xA3", 0xA3),
        NotShown("Emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", 0x1F600),
        NotUtf8("NotUtf8", "ab\xFF", '\xFF'), NotUtf8("CutSequence", "ab\xC3", '\xC3'),
        // A character it cannot hold is told before the length.
        NotShown("LongWithAForeignCharacter", "abcdefghijklmnopqrs_", "_", 0x5F)),
    test::CaseNames{});

}  // namespace
}  // namespace pxm

#include "core/format/petscii_name.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/case_names.h"

namespace pxm {
namespace {

// A text and the PETSCII name it gives, or the refusal.
struct NameCase {
    std::string label;
    std::string text;
    std::string petscii;
    std::string error;
};

std::string CaseName(const NameCase& c) { return c.label; }
void PrintTo(const NameCase& c, std::ostream* out) { *out << CaseName(c); }

NameCase Converted(std::string label, std::string text, std::string petscii) { return {label, text, petscii, {}}; }
NameCase Refused(std::string label, std::string text, std::string error) { return {label, text, {}, error}; }

class PetsciiNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PetsciiNames, ConvertedOrRefused) {
    const PetsciiName name = PetsciiNameFromText(GetParam().text);
    EXPECT_EQ(name.bytes, GetParam().petscii);
    EXPECT_EQ(name.error, GetParam().error);
    EXPECT_EQ(name.ok(), GetParam().error.empty());
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

constexpr std::string_view Takes = "; it takes letters, digits, space and !\"#$%&'()*+,-./:;<=>?@[]";

INSTANTIATE_TEST_SUITE_P(
    Refused, PetsciiNames,
    ::testing::Values(
        Refused("Empty", "", "the C64 file name is empty"),
        Refused("SeventeenCharacters", "abcdefghijklmnopq",
                "the C64 file name 'abcdefghijklmnopq' has 17 characters; at most 16 fit"),
        Refused("Backslash", "a\\b", "the C64 file name cannot hold '\\' (U+005C)" + std::string(Takes)),
        Refused("Underscore", "my_pic", "the C64 file name cannot hold '_' (U+005F)" + std::string(Takes)),
        Refused("Caret", "^", "the C64 file name cannot hold '^' (U+005E)" + std::string(Takes)),
        Refused("Braces", "{x}", "the C64 file name cannot hold '{' (U+007B)" + std::string(Takes)),
        Refused("Tilde", "a~", "the C64 file name cannot hold '~' (U+007E)" + std::string(Takes)),
        Refused("Tab", "a\tb", "the C64 file name cannot hold U+0009" + std::string(Takes)),
        Refused("Delete", "\x7F", "the C64 file name cannot hold U+007F" + std::string(Takes)),
        Refused("Accented", "caf\xC3\xA9", "the C64 file name cannot hold '\xC3\xA9' (U+00E9)" + std::string(Takes)),
        Refused("Pound", "\xC2\xA3", "the C64 file name cannot hold '\xC2\xA3' (U+00A3)" + std::string(Takes)),
        Refused("Emoji", "\xF0\x9F\x98\x80", "the C64 file name cannot hold '\xF0\x9F\x98\x80' (U+1F600)" + std::string(Takes)),
        Refused("NotUtf8", "ab\xFF", "the C64 file name holds byte $FF, which is not UTF-8 text"),
        Refused("CutSequence", "ab\xC3", "the C64 file name holds byte $C3, which is not UTF-8 text"),
        // A character it cannot hold is told before the length.
        Refused("LongWithAForeignCharacter", "abcdefghijklmnopqrs_", "the C64 file name cannot hold '_' (U+005F)" + std::string(Takes))),
    test::CaseNames{});

}  // namespace
}  // namespace pxm

#include "core/format/petscii_name.h"

#include <gtest/gtest.h>

#include <string>

namespace pxm {
namespace {

struct NameCase {
    std::string label;
    std::string text;
    std::string petscii;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.label; }

class PetsciiNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(PetsciiNames, Converted) {
    const PetsciiName name = PetsciiNameFromText(GetParam().text);
    EXPECT_TRUE(name.ok()) << name.error;
    EXPECT_EQ(name.bytes, GetParam().petscii);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PetsciiNames,
    ::testing::Values(NameCase{"LowerCaseToCapitals", "sunset", "\x53\x55\x4E\x53\x45\x54"},
                      NameCase{"CapitalsStay", "SUNSET", "SUNSET"}, NameCase{"Mixed", "Pic 01", "PIC 01"},
                      NameCase{"Digits", "0123456789", "0123456789"},
                      NameCase{"PunctuationFirstHalf", "!\"#$%&'()*+,-./", "!\"#$%&'()*+,-./"},
                      NameCase{"PunctuationSecondHalf", ":;<=>?@[]", ":;<=>?@[]"}, NameCase{"OneCharacter", "x", "X"},
                      NameCase{"SixteenCharacters", "abcdefghijklmnop", "ABCDEFGHIJKLMNOP"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.label; });

struct RefusalCase {
    std::string label;
    std::string text;
    std::string error;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.label; }

class PetsciiRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(PetsciiRefusals, NameTheCharacter) {
    const PetsciiName name = PetsciiNameFromText(GetParam().text);
    EXPECT_FALSE(name.ok());
    EXPECT_EQ(name.bytes, "");
    EXPECT_EQ(name.error, GetParam().error);
}

constexpr std::string_view Takes = "; it takes letters, digits, space and !\"#$%&'()*+,-./:;<=>?@[]";

INSTANTIATE_TEST_SUITE_P(
    Names, PetsciiRefusals,
    ::testing::Values(
        RefusalCase{"Empty", "", "the C64 file name is empty"},
        RefusalCase{"SeventeenCharacters", "abcdefghijklmnopq",
                    "the C64 file name 'abcdefghijklmnopq' has 17 characters; at most 16 fit"},
        RefusalCase{"Backslash", "a\\b", "the C64 file name cannot hold '\\' (U+005C)" + std::string(Takes)},
        RefusalCase{"Underscore", "my_pic", "the C64 file name cannot hold '_' (U+005F)" + std::string(Takes)},
        RefusalCase{"Caret", "^", "the C64 file name cannot hold '^' (U+005E)" + std::string(Takes)},
        RefusalCase{"Braces", "{x}", "the C64 file name cannot hold '{' (U+007B)" + std::string(Takes)},
        RefusalCase{"Tilde", "a~", "the C64 file name cannot hold '~' (U+007E)" + std::string(Takes)},
        RefusalCase{"Tab", "a\tb", "the C64 file name cannot hold U+0009" + std::string(Takes)},
        RefusalCase{"Delete", "\x7F", "the C64 file name cannot hold U+007F" + std::string(Takes)},
        RefusalCase{"Accented", "caf\xC3\xA9", "the C64 file name cannot hold '\xC3\xA9' (U+00E9)" + std::string(Takes)},
        RefusalCase{"Pound", "\xC2\xA3", "the C64 file name cannot hold '\xC2\xA3' (U+00A3)" + std::string(Takes)},
        RefusalCase{"Emoji", "\xF0\x9F\x98\x80", "the C64 file name cannot hold '\xF0\x9F\x98\x80' (U+1F600)" + std::string(Takes)},
        RefusalCase{"NotUtf8", "ab\xFF", "the C64 file name holds byte $FF, which is not UTF-8 text"},
        RefusalCase{"CutSequence", "ab\xC3", "the C64 file name holds byte $C3, which is not UTF-8 text"},
        // A character it cannot hold is told before the length.
        RefusalCase{"LongWithAForeignCharacter", "abcdefghijklmnopqrs_", "the C64 file name cannot hold '_' (U+005F)" + std::string(Takes)}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.label; });

}  // namespace
}  // namespace pxm

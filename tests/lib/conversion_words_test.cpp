// The words: what the C interface's result says is what Convert told on its streams, in the
// order told; quiet leaves the information out and keeps the refusals; a usage error carries
// the usage lines.
#include <gtest/gtest.h>

#include "lib/wording/usage_error.h"
#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

struct Case {
    const char* what;
    std::vector<std::pair<Option, std::string>> options;
    std::vector<std::uint8_t> input;
};

// The same options by their long names, as pxm_options_set takes them.
OptionList LongNames(const std::vector<std::pair<Option, std::string>>& options) {
    OptionList list;
    for (const auto& [option, value] : options)
        list.emplace_back(std::string(NameOf(option).longName), NameOf(option).takes == Argument::None ? "1" : value);
    return list;
}

// Every stream Convert tells on, into one: as a terminal shows both.
std::string ToldByConvert(const Options& options, const std::vector<std::uint8_t>& bytes) {
    std::ostringstream words;
    ConvertInto(options, bytes, words, words);
    return words.str();
}

std::vector<Case> Cases() {
    const std::vector<std::uint8_t> clashing = MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); });
    const std::vector<std::uint8_t> photo =
        MakePng({.width = 500, .height = 300}, [](int x, int y) { return SmoothPhoto(x, y); });
    const std::vector<std::uint8_t> art = MakeBmp({}, Fitting);
    return {
        {"written", {}, art},
        {"written, verbose", {{Option::Verbose, ""}}, art},
        {"refused", {}, clashing},
        {"refused, verbose", {{Option::Verbose, ""}, {Option::Background, "6"}}, clashing},
        {"nearest, verbose", {{Option::Nearest, ""}, {Option::Verbose, ""}, {Option::Dither, "bayer8"}}, photo},
        {"nearest, repaired", {{Option::Nearest, ""}}, clashing},
        {"backgrounds listed", {{Option::Backgrounds, ""}}, art},
        {"no picture", {}, {'n', 'o', 'n', 'e'}},
        {"a palette that does not fit", {{Option::Palette, "vice"}}, clashing},
    };
}

TEST(ConversionWords, TheResultSaysWhatConvertTold) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        const std::string told = ToldByConvert(OptionsOf(c.options), c.input);
        EXPECT_FALSE(told.empty());
        const Outcome result = Converted(LongNames(c.options), c.input);
        EXPECT_NE(result.status, ExitUsage) << result.message;
        EXPECT_EQ(result.message, told);
    }
}

TEST(ConversionWords, QuietKeepsOnlyTheRefusals) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<Option, std::string>> quiet = c.options;
        std::erase_if(quiet, [](const auto& option) { return option.first == Option::Verbose; });
        quiet.emplace_back(Option::Quiet, "");
        const Told told = ConvertTold(OptionsOf(quiet), c.input);
        const Outcome result = Converted(LongNames(quiet), c.input);
        EXPECT_EQ(result.message, told.err);
        EXPECT_EQ(result.status, told.conversion.outcome ? ExitWritten : ExitRefused);
        EXPECT_EQ(result.message.empty(), result.status == ExitWritten) << result.message;
    }
}

TEST(ConversionWords, AUsageErrorCarriesTheUsageLines) {
    // A C64 file with a koalizing option: Convert's usage failure, the C interface's usage text.
    const Outcome koala = Converted({}, MakeBmp({}, Fitting));
    ASSERT_EQ(koala.status, ExitWritten);
    const Told told = ConvertTold(OptionsOf({{Option::Mode, "grey4"}}), koala.file);
    ASSERT_FALSE(told.conversion.outcome);
    const ConversionFailure& failure = told.conversion.outcome.error();
    EXPECT_EQ(failure.kind, ConversionFailure::Kind::Usage);
    EXPECT_EQ(failure.text,
              "-m/--mode is for a picture to koalize; standard input is a C64 file, which keeps its own colours and background");
    EXPECT_EQ(told.info + told.err, "") << "a usage error is not told on the streams";

    const Outcome result = Converted({{"mode", "grey4"}}, koala.file);
    EXPECT_EQ(result.status, ExitUsage);
    EXPECT_EQ(result.message, "pixmosaic-cli: " + failure.text + "\n" + std::string(UsageLine) +
                                  "Try 'pixmosaic-cli --help' for more information.\n");
}

}  // namespace
}  // namespace pxm::test

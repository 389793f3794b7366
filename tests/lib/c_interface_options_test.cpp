// pxm_options_set: a name or value the converter would not take gives -1 and the converter's
// words; a value set again replaces the first; a switch cleared with "0" and a value cleared with
// "" are as if never given; options that do not fit the input come back as the usage error.
#include <gtest/gtest.h>

#include "lib/wording/usage_error.h"
#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

TEST(CInterfaceOptions, NamesAndValuesNotTakenGiveTheConvertersWords) {
    struct Case {
        const char* name;
        const char* value;
        std::string error;
    };
    const std::vector<Case> cases{
        {"zoom", "1", "unknown option '--zoom'"},
        {"--format", "koala", "unknown option '----format'"},
        {"output-dir", "out", "--output-dir is an option of the command line: a conversion here writes no file"},
        {"palette-file", "my.gpl", "--palette-file is an option of the command line: a conversion here writes no file"},
        {"jobs", "2", "-j/--jobs is an option of the command line: a conversion here writes no file"},
        {"nearest", "yes", "option '-n/--nearest' is a switch: 1 sets it, 0 clears it"},
        {"nearest", nullptr, "option '-n/--nearest' is a switch: 1 sets it, 0 clears it"},
        {"scale", "zoom", "unknown scaling 'zoom' (none, fit, fill or stretch)"},
        {"dither", "ordered", "unknown dither 'ordered' (none, bayer4, bayer8, floyd-steinberg or atkinson)"},
        {"dither-strength", "1.5", "dither strength '1.5' is not a number from 0 to 1"},
        {"dither-strength", "x", "dither strength 'x' is not a number from 0 to 1"},
        {nullptr, "1", "no option named"},
    };
    const OptionsHandle options(pxm_options_new());
    ASSERT_NE(options, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name == nullptr ? "(null)" : c.name);
        EXPECT_EQ(pxm_options_set(options.get(), c.name, c.value), -1);
        EXPECT_EQ(pxm_options_error(options.get()), c.error);
    }
    // A success clears the last error; no handle is refused without a crash.
    EXPECT_EQ(pxm_options_set(options.get(), "format", "artstudio"), 0);
    EXPECT_STREQ(pxm_options_error(options.get()), "");
    EXPECT_EQ(pxm_options_set(nullptr, "format", "koala"), -1);
    EXPECT_STREQ(pxm_options_error(nullptr), "");
}

TEST(CInterfaceOptions, RefusedValuesLeaveTheOptionsAsTheyWere) {
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    const Outcome plain = Converted({}, bmp);
    ASSERT_EQ(plain.status, 0) << plain.message;
    const OptionsHandle options(pxm_options_new());
    EXPECT_EQ(pxm_options_set(options.get(), "format", "paint"), -1);
    EXPECT_EQ(pxm_options_set(options.get(), "background", "mauve"), -1);
    EXPECT_EQ(pxm_options_set(options.get(), "nearest", "2"), -1);
    const Outcome after = Converted(options.get(), bmp);
    EXPECT_EQ(after.file, plain.file);
    EXPECT_EQ(after.message, plain.message);
}

TEST(CInterfaceOptions, AValueSetAgainReplacesTheFirst) {
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    const Outcome artstudio = Converted({{"format", "artstudio"}}, bmp);
    ASSERT_EQ(artstudio.status, 0) << artstudio.message;
    const Outcome replaced = Converted({{"format", "koala"}, {"format", "artstudio"}}, bmp);
    EXPECT_EQ(replaced.file, artstudio.file);
    EXPECT_NE(replaced.file, Converted({}, bmp).file);
}

TEST(CInterfaceOptions, ASwitchClearedAndAValueClearedAreAsIfNeverGiven) {
    // Pixel art with a clash: refused by default, repaired with --nearest.
    const std::vector<std::uint8_t> png =
        MakePng({}, [](int x, int y) { return PeptoHex(x / 2 == 13 && y == 2 ? 7 : Fitting(x, y)); });
    const Outcome plain = Converted({}, png);
    ASSERT_EQ(plain.status, 1);
    ASSERT_EQ(Converted({{"nearest", "1"}}, png).status, 0);
    const Outcome cleared = Converted({{"nearest", "1"}, {"nearest", "0"}}, png);
    EXPECT_EQ(cleared.status, plain.status);
    EXPECT_EQ(cleared.message, plain.message);
    EXPECT_EQ(cleared.rgba, plain.rgba);  // the clash map, as the refusal shows it

    // --scale cleared is no longer an option without effect.
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    const Outcome scaled = Converted({{"scale", "fit"}}, bmp);
    EXPECT_EQ(scaled.status, ExitUsage);
    const Outcome unscaled = Converted({{"scale", "fit"}, {"scale", ""}}, bmp);
    EXPECT_EQ(unscaled.status, 0) << unscaled.message;
    EXPECT_EQ(unscaled.file, Converted({}, bmp).file);

    // A background cleared is AUTO again.
    const Outcome blue = Converted({{"background", "6"}}, bmp);
    EXPECT_EQ(blue.status, 1);
    const Outcome automatic = Converted({{"background", "6"}, {"background", ""}}, bmp);
    EXPECT_EQ(automatic.status, 0) << automatic.message;
    EXPECT_EQ(automatic.message, "Chosen background color: black.\n");

    // A koalizing switch cleared is not named when a C64 file comes in.
    const Outcome koala = Converted({}, bmp);
    ASSERT_EQ(koala.status, 0);
    const Outcome again = Converted({{"nearest", "1"}, {"mode", "grey4"}, {"mode", ""}, {"nearest", "0"}}, koala.file);
    EXPECT_EQ(again.status, 0) << again.message;
    EXPECT_EQ(again.file, koala.file);
}

TEST(CInterfaceOptions, OptionsThatDoNotFitComeBackAsTheUsageError) {
    struct Case {
        OptionList options;
        bool c64Input;
        std::string error;  // the usage error
    };
    const std::vector<Case> cases{
        {{{"scale", "fit"}}, false,
         "--scale has no effect without -n/--nearest: only the nearest picture is scaled and dithered"},
        {{{"dither-strength", "0.5"}}, false,
         "--dither-strength has no effect without -n/--nearest: only the nearest picture is scaled and dithered"},
        {{{"background", "0"}, {"nearest", "1"}}, true,
         "-b/--background is for a picture to koalize; standard input is a C64 file, which keeps its own colours "
         "and background"},
        {{{"file", "PICTURE"}}, false, "--file picks a file on a D64 image; standard input is none"},
    };
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    const Outcome koala = Converted({}, bmp);
    ASSERT_EQ(koala.status, 0) << koala.message;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.front().first);
        const Outcome result = Converted(c.options, c.c64Input ? koala.file : bmp);
        EXPECT_EQ(result.status, ExitUsage);
        EXPECT_FALSE(result.hasFile);
        EXPECT_EQ(result.width, 0);
        EXPECT_EQ(result.message, UsageErrorText(c.error));
    }
}

// "pixmosaic-cli -x -c p00 - -o -" refuses a program that has no name to take; pxm_convert, which
// converts as that command line does, writes a P00 program named "-" instead: the C interface
// asks ProgramNameError with the options' output, which it leaves empty for standard output.
TEST(CInterfaceOptions, AProgramOnStandardInputAndOutputWithoutANameIsAUsageError) {
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    const Outcome result = Converted({{"executable", "1"}, {"container", "p00"}}, bmp);
    EXPECT_EQ(result.status, ExitUsage);
    EXPECT_FALSE(result.hasFile);
    EXPECT_EQ(result.message,
              UsageErrorText("-x names the program after the output file: with standard input and output give --name"));
    EXPECT_EQ(Converted({{"executable", "1"}, {"container", "p00"}, {"name", "SHOW"}}, bmp).status, ExitWritten);
}

}  // namespace
}  // namespace pxm::test

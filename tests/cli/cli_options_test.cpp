#include "cli/options/cli_options.h"
#include "cli/planning/output_plan.h"

#include "lib/option_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/format/petscii_name.h"
#include "core/palette/c64_palettes.h"

namespace pxm::cli {
namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::string_view> args) { return ParseCommandLine(args); }

TEST(CliOptions, Defaults) {
    const auto parsed = Parse({"in.bmp", "-o", "out"});
    ASSERT_EQ(parsed.action, Action::Convert);
    EXPECT_EQ(parsed.options.inputs, std::vector<std::string>{"in.bmp"});
    EXPECT_EQ(parsed.options.output, "out");
    EXPECT_EQ(parsed.options.mode, PaletteMode::Multicolour);
    EXPECT_EQ(parsed.options.background, AutoBackground);
    EXPECT_FALSE(parsed.options.format.has_value());
    EXPECT_EQ(parsed.options.verbosity, Verbosity::Normal);
    EXPECT_EQ(parsed.options.jobs, 0u);
    EXPECT_FALSE(parsed.options.container.has_value());
    EXPECT_FALSE(parsed.options.fixSp2Flaw);
    EXPECT_FALSE(parsed.options.executable);
    EXPECT_FALSE(parsed.options.c64Name.has_value());
    EXPECT_FALSE(parsed.options.palette.has_value());
    EXPECT_EQ(parsed.options.preview, "");
    EXPECT_FALSE(parsed.options.listBackgrounds);
}

TEST(CliOptions, NearestAndHowItIsMade) {
    const auto plain = Parse({"a", "-o", "b"}).options;
    EXPECT_FALSE(plain.nearest);
    EXPECT_FALSE(plain.scale || plain.dither || plain.ditherStrength);
    const auto parsed = Parse({"a", "-o", "b", "-n", "--scale=fill", "--dither", "atkinson", "--dither-strength", "0.25"});
    ASSERT_EQ(parsed.action, Action::Convert) << parsed.error;
    EXPECT_TRUE(parsed.options.nearest);
    EXPECT_EQ(parsed.options.scale, ScaleMode::Fill);
    EXPECT_EQ(parsed.options.dither, DitherKind::Atkinson);
    EXPECT_EQ(parsed.options.ditherStrength, 0.25f);
    EXPECT_EQ(Parse({"a", "-o", "b", "--nearest", "--dither-strength=0"}).options.ditherStrength, 0.0f);
    EXPECT_EQ(Parse({"a", "-o", "b", "-n", "--dither-strength", "-0.1"}).error,
              "dither strength '-0.1' is not a number from 0 to 1");
    EXPECT_EQ(Parse({"a", "-o", "b", "-n", "--dither-strength", "0.5x"}).error,
              "dither strength '0.5x' is not a number from 0 to 1");
    EXPECT_EQ(Parse({"a", "-o", "b", "--nearest=yes"}).error, "option '--nearest' takes no value");
}

TEST(CliOptions, PalettePreviewAndBackgrounds) {
    const auto parsed = Parse({"a", "-o", "b", "--palette=Vice Old Lum", "--preview", "p.png", "--backgrounds"});
    ASSERT_EQ(parsed.action, Action::Convert) << parsed.error;
    ASSERT_TRUE(parsed.options.palette.has_value());
    EXPECT_EQ(parsed.options.palette->kind, PaletteChoice::Kind::Named);
    EXPECT_EQ(PaletteChoiceName(*parsed.options.palette), "vice old lum");
    EXPECT_EQ(parsed.options.preview, "p.png");
    EXPECT_TRUE(parsed.options.listBackgrounds);
    EXPECT_EQ(Parse({"a", "-o", "b", "-pindex"}).options.palette->kind, PaletteChoice::Kind::Index);
    EXPECT_EQ(Parse({"a", "-o", "b", "-p", "AUTO"}).options.palette->kind, PaletteChoice::Kind::Auto);
    EXPECT_EQ(Parse({"a", "-o", "b", "-p", "Pepto NTSC Sony"}).options.palette->palette, FindPalette("pepto ntsc sony"));
    EXPECT_EQ(Parse({"a", "-o", "b", "-p", "pepto2"}).error,
              "unknown palette 'pepto2' (auto, index, vice, vice old lum, pantaloon, perplex 2, vice 3.7.1 internal, "
              "lenyn, pepto, archmage, electric, ste, perplex 1, colodore, le funge, c64hq, c64s, ccs64, christopher jam, "
              "colodore vice, community colors, deekay, frodo, godot, lemon64, palette, palette 6569r1, palette 6569r5, "
              "palette 8565r2, pc64, pepto ntsc sony, pepto ntsc, pepto old, pixcen, ptoing, rgb or the64)");
    EXPECT_EQ(Parse({"a", "-o", "b", "--preview="}).error, "the preview file name is empty");
    EXPECT_EQ(Parse({"a", "-o", "b", "--backgrounds=yes"}).error, "option '--backgrounds' takes no value");
    EXPECT_EQ(Parse({"a", "-o", "b", "--preview"}).error, "option '--preview' needs a value");
}

TEST(CliOptions, ClashMap) {
    EXPECT_EQ(Parse({"a", "-o", "b"}).options.clashMap, "");
    EXPECT_EQ(Parse({"a", "--clash-map", "m.png", "-o", "b"}).options.clashMap, "m.png");
    EXPECT_EQ(Parse({"a", "-o", "b", "--clash-map=-m.png"}).options.clashMap, "-m.png");
    EXPECT_EQ(Parse({"a", "-o", "b", "--clash-map="}).error, "the clash map file name is empty");
    EXPECT_EQ(Parse({"a", "-o", "b", "--clash-map"}).error, "option '--clash-map' needs a value");
}

TEST(CliOptions, EverySpelling) {
    const auto parsed = Parse({"--mode=grey5", "-fsp2", "--container", "TAP", "--fix-sp2-flaw",
                               "--output=o", "--", "-in.bmp"});
    ASSERT_EQ(parsed.action, Action::Convert) << parsed.error;
    EXPECT_EQ(parsed.options.mode, PaletteMode::FiveGreys);
    EXPECT_EQ(Parse({"-b", "light grey", "a", "-o", "b"}).options.background.colour, 15);
    EXPECT_EQ(parsed.options.format, ExportFormat::Sp2);
    EXPECT_EQ(parsed.options.container, Container::Tap);
    EXPECT_TRUE(parsed.options.fixSp2Flaw);
    EXPECT_EQ(parsed.options.output, "o");
    EXPECT_EQ(parsed.options.inputs, std::vector<std::string>{"-in.bmp"});
    EXPECT_EQ(Parse({"-m", "grey4", "a", "-o", "b"}).options.mode, PaletteMode::FourGreys);
    EXPECT_EQ(Parse({"-b", "7", "a", "-o", "b"}).options.background.colour, 7);
    EXPECT_EQ(Parse({"-b", "AUTO", "a", "-o", "b"}).options.background, AutoBackground);
    EXPECT_EQ(Parse({"-f", "blazing", "a", "-o", "b"}).options.format, ExportFormat::BlazingPaddles);
    EXPECT_TRUE(Parse({"-x", "a", "-o", "b"}).options.executable);
    EXPECT_TRUE(Parse({"a", "--executable", "-o", "b"}).options.executable);
    EXPECT_EQ(Parse({"-c", "d64", "a", "-o", "b"}).options.container, Container::D64);
    EXPECT_EQ(Parse({"--container=D64", "a", "-o", "b"}).options.container, Container::D64);
    EXPECT_EQ(Parse({"--name", "My pic", "a", "-o", "b"}).options.c64Name, "MY PIC");
    EXPECT_EQ(Parse({"--name=x", "a", "-o", "b"}).options.c64Name, "X");
}

// Short options cluster as getopt reads them; one taking a value ends the cluster.
TEST(CliOptions, ShortOptionsCluster) {
    const auto parsed = Parse({"-nqo", "out", "-xbblue", "a"});
    ASSERT_EQ(parsed.action, Action::Convert) << parsed.error;
    EXPECT_TRUE(parsed.options.nearest);
    EXPECT_EQ(parsed.options.verbosity, Verbosity::Quiet);
    EXPECT_EQ(parsed.options.output, "out");
    EXPECT_TRUE(parsed.options.executable);
    EXPECT_EQ(parsed.options.background.colour, 6);
    EXPECT_EQ(parsed.options.inputs, std::vector<std::string>{"a"});
    EXPECT_EQ(parsed.options.koalizingOption, "-n");
    EXPECT_EQ(Parse({"-ofile", "a"}).options.output, "file");
    EXPECT_EQ(Parse({"a", "-xvo-"}).options.output, "-");
    EXPECT_EQ(Parse({"a", "-xvo-"}).options.verbosity, Verbosity::Verbose);
    EXPECT_EQ(Parse({"a", "-o", "b", "-xh"}).action, Action::Help);
    // "--" ends the options: what follows is an input, whatever it looks like.
    EXPECT_EQ(Parse({"-o", "b", "--", "-x.png", "--", "-n"}).options.inputs,
              (std::vector<std::string>{"-x.png", "--", "-n"}));
    EXPECT_FALSE(Parse({"-o", "b", "--", "-x.png"}).options.executable);
    EXPECT_EQ(Parse({"a", "-o", "b", "-nkq"}).error, "unknown option letter 'k' in '-nkq'");
    EXPECT_EQ(Parse({"a", "-o", "b", "-k"}).error, "unknown option '-k'");
    EXPECT_EQ(Parse({"a", "-o", "b", "-xo"}).error, "option '-o' needs a value");
    EXPECT_EQ(Parse({"a", "-o", "b", "-qq"}).action, Action::Convert);
    EXPECT_EQ(Parse({"a", "-o", "b", "-xj"}).error, "option '-j' needs a value");
    EXPECT_EQ(Parse({"a", "-oo", "-ob"}).error, "option -o/--output is given more than once");
}

TEST(CliOptions, HelpAndVersionWin) {
    EXPECT_EQ(Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"a", "--help", "--bogus"}).action, Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
}

TEST(CliOptions, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {}, {"-o", "b"}, {"a", "-o"}, {"a", "-o", ""}, {"a", "-o", "b", "-xo"},
             {"a", "-o", "b", "--executable=1"},
             {"a", "-o", "b", "--fix-sp2-flaw=1"}, {"a", "-o", "b", "-b", "-1"}, {"a", "-o", "b", "-b", "16"},
             {"a", "-o", "b", "-m", "hires"}, {"a", "-o", "b", "-c", "p01"}, {"a", "-o", "b", "--versionx"},
             {"a", "-o", "b", "--name"}, {"a", "-o", "b", "--name", ""}, {"a", "-o", "b", "--name", "a~b"},
             {"a", "-o", "b", "--name", "12345678901234567"}, {"a", "-o", "b", "-n", "--scale", "zoom"},
             {"a", "-o", "b", "-j", "0"}, {"a", "-o", "b", "-j", "x"}, {"-", "-"}, {"-", "a", "-o", "d/"}}) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto parsed = Parse(args);
        EXPECT_EQ(parsed.action, Action::UsageError);
        EXPECT_FALSE(parsed.error.empty());
    }
    EXPECT_EQ(Parse({"a", "-o", "b", "-f", "gif"}).error,
              "unknown format 'gif' (koala, artstudio, artist64, blazing or sp2)");
    EXPECT_EQ(Parse({"a", "-o"}).error, "option '-o' needs a value");
    EXPECT_EQ(Parse({"a", "-o", "b", "-c", "d81"}).error, "unknown container 'd81' (p00, prg, tap, d64, png or bmp)");
    EXPECT_EQ(Parse({"a", "-o", "b", "--name", "a|b"}).error,
              "the C64 file name cannot hold '|' (U+007C); it takes letters, digits, space and "
              "!\"#$%&'()*+,-./:;<=>?@[]");
}

// Option values in any case and in British or American spelling, colour names with or without
// spaces.
TEST(CliOptions, ValuesAsPeopleTypeThem) {
    EXPECT_EQ(Parse({"a", "-m", "Multicolor"}).options.mode, PaletteMode::Multicolour);
    EXPECT_EQ(Parse({"a", "-m", "GRAY4"}).options.mode, PaletteMode::FourGreys);
    EXPECT_EQ(Parse({"a", "-m", "grey5"}).options.mode, PaletteMode::FiveGreys);
    EXPECT_EQ(Parse({"a", "-b", "lightblue"}).options.background.colour, 14);
    EXPECT_EQ(Parse({"a", "-b", "Light-Gray"}).options.background.colour, 15);
    EXPECT_EQ(Parse({"a", "-b", "medium gray"}).options.background.colour, 12);
    EXPECT_EQ(Parse({"a", "-b", "DARKGREY"}).options.background.colour, 11);
    EXPECT_EQ(Parse({"a", "-b", "Auto"}).options.background, AutoBackground);
    EXPECT_EQ(Parse({"a", "-f", "Koala"}).options.format, ExportFormat::Koala);
    EXPECT_EQ(Parse({"a", "-f", "SP2"}).options.format, ExportFormat::Sp2);
    EXPECT_EQ(Parse({"a", "-c", "PRG"}).options.container, Container::Prg);
    EXPECT_EQ(Parse({"a", "-p", "Community Colours"}).options.palette->palette, FindPalette("community colors"));
    EXPECT_EQ(Parse({"a", "-p", "peptontsc"}).options.palette->palette, FindPalette("pepto ntsc"));
    EXPECT_EQ(Parse({"a", "-m", "colour"}).error, "unknown mode 'colour' (multicolour, grey4 or grey5)");
}

TEST(OptionValues, Backgrounds) {
    EXPECT_EQ(BackgroundFromText("auto"), AutoBackground);
    EXPECT_EQ(BackgroundFromText("AUTO"), AutoBackground);
    EXPECT_EQ(BackgroundFromText("Light Grey"), BackgroundChoice{15});
    EXPECT_EQ(BackgroundFromText("black"), BackgroundChoice{0});
    EXPECT_EQ(BackgroundFromText("MED GREY"), BackgroundChoice{12});
    EXPECT_EQ(BackgroundFromText("7"), BackgroundChoice{7});
    EXPECT_EQ(BackgroundFromText("0"), BackgroundChoice{0});
    EXPECT_EQ(BackgroundFromText("15"), BackgroundChoice{15});
    for (const char* bad : {"16", "x", "", "-1", "grey", "7x", "light", "light-"})
        EXPECT_FALSE(BackgroundFromText(bad).has_value()) << bad;
}

// A second value would silently win; an option without effect would silently do nothing.
TEST(CliOptions, RepeatedAndIneffectiveOptions) {
    EXPECT_EQ(Parse({"a", "-o", "b", "-o", "c"}).error, "option -o/--output is given more than once");
    EXPECT_EQ(Parse({"a", "-b", "1", "--background=2"}).error, "option -b/--background is given more than once");
    EXPECT_EQ(Parse({"a", "-x", "-x"}).action, Action::Convert);  // a switch twice is still the switch
    EXPECT_EQ(Parse({"a", "-m", "grey4", "-b", "7"}).error,
              "-b/--background has no effect with --mode grey4: the grey modes have no background to choose");
    EXPECT_EQ(Parse({"a", "--fix-sp2-flaw"}).error,
              "--fix-sp2-flaw has no effect without -f sp2: only the SP2 packer has the flaw");
    EXPECT_EQ(Parse({"a", "--backgrounds", "-f", "sp2"}).error,
              "-f/--format has no effect: --backgrounds without -o only lists the backgrounds and writes nothing");
    EXPECT_EQ(Parse({"a", "-q", "-v"}).error, "-q/--quiet and -v/--verbose exclude each other");
    EXPECT_EQ(Parse({"-"}).error, "standard input (-) has no name to name the output after: give -o OUTPUT");
    const auto jobs = Parse({"a", "-j", "4"});
    EXPECT_EQ(jobs.action, Action::Convert);
    EXPECT_EQ(jobs.options.jobs, 4u);
    EXPECT_EQ(jobs.warnings,
              std::vector<std::string>{"-j/--jobs has no effect with one input: it converts several pictures at once"});
}

TEST(CliOptions, ManyInputsAndStandardStreams) {
    const auto many = Parse({"a.png", "b.gif", "--output-dir", "out", "-q"});
    ASSERT_EQ(many.action, Action::Convert) << many.error;
    EXPECT_EQ(many.options.inputs, (std::vector<std::string>{"a.png", "b.gif"}));
    EXPECT_EQ(many.options.outputDir, "out");
    EXPECT_EQ(many.options.verbosity, Verbosity::Quiet);
    const auto piped = Parse({"-", "-o", "-", "-v"});
    ASSERT_EQ(piped.action, Action::Convert) << piped.error;
    EXPECT_EQ(piped.options.inputs, std::vector<std::string>{"-"});
    EXPECT_EQ(piped.options.output, "-");
    EXPECT_EQ(piped.options.verbosity, Verbosity::Verbose);
    EXPECT_TRUE(Parse({"a", "--backgrounds"}).options.onlyListing());
    EXPECT_FALSE(Parse({"a", "--backgrounds", "-o", "b"}).options.onlyListing());
}

// Each name refused, in the words the converter has always used.
TEST(CliOptions, NameRefusalsNameTheCharacterOrTheLength) {
    const std::string takes = "; it takes letters, digits, space and !\"#$%&'()*+,-./:;<=>?@[]";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"", "the C64 file name is empty"},
        {"abcdefghijklmnopq", "the C64 file name 'abcdefghijklmnopq' has 17 characters; at most 16 fit"},
        {"a\\b", "the C64 file name cannot hold '\\' (U+005C)" + takes},
        {"a\tb", "the C64 file name cannot hold U+0009" + takes},
        {"\x7F", "the C64 file name cannot hold U+007F" + takes},
        {"caf\xC3\xA9", "the C64 file name cannot hold '\xC3\xA9' (U+00E9)" + takes},
        {"\xF0\x9F\x98\x80", "the C64 file name cannot hold '\xF0\x9F\x98\x80' (U+1F600)" + takes},
        {"ab\xFF", "the C64 file name holds byte $FF, which is not UTF-8 text"},
        {"ab\xC3", "the C64 file name holds byte $C3, which is not UTF-8 text"},
        {"abcdefghijklmnopqrs_", "the C64 file name cannot hold '_' (U+005F)" + takes},
    };
    for (const auto& [name, error] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Parse({"a", "-o", "b", "--name", name}).error, error);
    }
}

TEST(CliOptions, C64InputOptions) {
    const auto info = Parse({"pic.kla", "--info"});
    ASSERT_EQ(info.action, Action::Convert);  // no output needed
    EXPECT_TRUE(info.options.info);
    EXPECT_EQ(Parse({"pic.kla", "--info", "-o", "out.prg"}).error,
              "-o/--output has no effect: --info only describes the files and writes nothing");
    // Any number of files, each described; --nearest, the backgrounds and the clash map are conversions'.
    EXPECT_EQ(Parse({"--info", "a.png", "b.prg", "c.jpg"}).options.inputs.size(), 3u);
    EXPECT_EQ(Parse({"--info", "a.png", "-n"}).error, "-n/--nearest has no effect: --info only describes the files and writes nothing");
    EXPECT_EQ(Parse({"--info", "a.png", "--backgrounds"}).error,
              "--backgrounds has no effect: --info only describes the files and writes nothing");
    const auto file = Parse({"disk.d64", "--file", "sunset #1", "-o", "out.prg"});
    EXPECT_EQ(file.options.diskFile, "SUNSET #1");
    const auto accented = Parse({"disk.d64", "--file", "caf\xC3\xA9", "-o", "o"});
    EXPECT_EQ(accented.action, Action::UsageError);
    EXPECT_EQ(accented.error, "the C64 file name cannot hold '\xC3\xA9' (U+00E9); it takes letters, digits, space and " +
                                  std::string(PetsciiPunctuation));
    // The first option only koalizing heeds, as spelled, for the refusal of a C64 file.
    EXPECT_EQ(Parse({"a", "-o", "o.prg", "--backgrounds", "-b", "1"}).options.koalizingOption, "--backgrounds");
    EXPECT_EQ(Parse({"a", "-o", "o.prg", "-mgrey4"}).options.koalizingOption, "-m");
    EXPECT_EQ(Parse({"a", "-o", "o.prg", "--clash-map=m.png"}).options.koalizingOption, "--clash-map");
    EXPECT_EQ(Parse({"a", "-o", "o.prg", "-x", "-p", "pepto"}).options.koalizingOption, "");
}

TEST(CliOptions, PictureOutputFromContainerOrExtension) {
    const auto kind = [](std::vector<std::string_view> args) -> std::optional<OutputKind> {
        const Plan plan = PlanJobs(Parse(args).options);
        if (!plan) return std::nullopt;
        return plan->front().output->kind;
    };
    EXPECT_EQ(kind({"a", "-o", "pic.PNG"}), OutputKind::PicturePng);
    EXPECT_EQ(kind({"a", "-o", "pic.bmp"}), OutputKind::PictureBmp);
    EXPECT_EQ(kind({"a", "-o", "pic", "-c", "bmp"}), OutputKind::PictureBmp);
    EXPECT_EQ(kind({"a", "-o", "pic.bmp", "-c", "png"}), std::nullopt);  // -c contradicts the name
    EXPECT_EQ(kind({"a", "-o", "pic.out", "-c", "png"}), OutputKind::PicturePng);
    EXPECT_EQ(kind({"a", "-o", "pic.png", "-c", "prg"}), std::nullopt);  // -c has no effect on a picture
    EXPECT_EQ(kind({"a", "-o", "pic.prg"}), OutputKind::C64File);
    EXPECT_EQ(kind({"a", "-c", "bmp"}), OutputKind::PictureBmp);  // named after the input: a.bmp
}

}  // namespace
}  // namespace pxm::cli

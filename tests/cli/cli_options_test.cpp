#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/format/petscii_name.h"

namespace pxm::cli {
namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine Parse(std::vector<std::string_view> args) { return ParseCommandLine(args); }

TEST(CliOptions, Defaults) {
    const auto parsed = Parse({"in.bmp", "-o", "out"});
    ASSERT_EQ(parsed.action, Action::Convert);
    EXPECT_EQ(parsed.options.input, "in.bmp");
    EXPECT_EQ(parsed.options.output, "out");
    EXPECT_EQ(parsed.options.mode, PaletteMode::Multicolour);
    EXPECT_EQ(parsed.options.background, AutoBackground);
    EXPECT_EQ(parsed.options.format, ExportFormat::Koala);
    EXPECT_FALSE(parsed.options.container.has_value());
    EXPECT_FALSE(parsed.options.fixSp2Flaw);
    EXPECT_FALSE(parsed.options.executable);
    EXPECT_EQ(parsed.options.c64Name, "");
    EXPECT_FALSE(parsed.options.palette.has_value());
    EXPECT_EQ(parsed.options.preview, "");
    EXPECT_FALSE(parsed.options.listBackgrounds);
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
    const auto parsed = Parse({"--mode=grey5", "-b", "light grey", "-fsp2", "--container", "TAP", "--fix-sp2-flaw",
                               "--output=o", "--", "-in.bmp"});
    ASSERT_EQ(parsed.action, Action::Convert) << parsed.error;
    EXPECT_EQ(parsed.options.mode, PaletteMode::FiveGreys);
    EXPECT_EQ(parsed.options.background.colour, 15);
    EXPECT_EQ(parsed.options.format, ExportFormat::Sp2);
    EXPECT_EQ(parsed.options.container, Container::Tap);
    EXPECT_TRUE(parsed.options.fixSp2Flaw);
    EXPECT_EQ(parsed.options.output, "o");
    EXPECT_EQ(parsed.options.input, "-in.bmp");
    EXPECT_EQ(Parse({"-m", "grey4", "-b", "7", "a", "-o", "b"}).options.mode, PaletteMode::FourGreys);
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

TEST(CliOptions, HelpAndVersionWin) {
    EXPECT_EQ(Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"a", "--help", "--bogus"}).action, Action::Help);
    EXPECT_EQ(Parse({"--version"}).action, Action::Version);
}

TEST(CliOptions, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {}, {"a"}, {"-o", "b"}, {"a", "-o"}, {"a", "-o", ""}, {"a", "b", "-o", "c"}, {"a", "-o", "b", "-q"}, {"a", "-o", "b", "-xo"},
             {"a", "-o", "b", "--executable=1"},
             {"a", "-o", "b", "--fix-sp2-flaw=1"}, {"a", "-o", "b", "-b", "-1"}, {"a", "-o", "b", "-b", "16"},
             {"a", "-o", "b", "-m", "Multicolour"}, {"a", "-o", "b", "-c", "p01"}, {"a", "-o", "b", "--versionx"},
             {"a", "-o", "b", "--name"}, {"a", "-o", "b", "--name", ""}, {"a", "-o", "b", "--name", "a~b"},
             {"a", "-o", "b", "--name", "12345678901234567"}, {"a", "-o", "b", "-n", "x"}}) {
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

TEST(CliOptions, NonDiskContainerFromExtension) {
    const auto container = [](std::string_view output) {
        CliOptions options;
        options.output = output;
        return ChosenContainer(options);
    };
    EXPECT_EQ(container("PIC.PRG"), Container::Prg);
    EXPECT_EQ(container("pic.TaP"), Container::Tap);
    EXPECT_EQ(container("pic.p00"), Container::P00);
    EXPECT_EQ(container("pic.p01"), Container::P00);
    EXPECT_EQ(container("pic"), Container::P00);
    EXPECT_EQ(container("dir.prg/pic"), Container::P00);
    EXPECT_EQ(container("a.tap.prg"), Container::Prg);
    EXPECT_EQ(container("pic.d64"), Container::D64);
    EXPECT_EQ(container("PIC.D64"), Container::D64);
    EXPECT_EQ(container("pic.d71"), Container::P00);
    CliOptions given;
    given.output = "pic.tap";
    given.container = Container::Prg;
    EXPECT_EQ(ChosenContainer(given), Container::Prg);
}

TEST(CliOptions, C64InputOptions) {
    const auto info = Parse({"pic.kla", "--info"});
    ASSERT_EQ(info.action, Action::Convert);  // no output needed
    EXPECT_TRUE(info.options.info);
    const auto file = Parse({"disk.d64", "--file", "sunset #1", "-o", "out.prg"});
    EXPECT_EQ(file.options.diskFile, "SUNSET #1");
    const auto accented = Parse({"disk.d64", "--file", "caf\xC3\xA9", "-o", "o"});
    EXPECT_EQ(accented.action, Action::UsageError);
    EXPECT_EQ(accented.error, "the C64 file name cannot hold '\xC3\xA9' (U+00E9); it takes letters, digits, space and " +
                                  std::string(PetsciiPunctuation));
    // The first option only koalizing heeds, as spelled, for the refusal of a C64 file.
    EXPECT_EQ(Parse({"a", "-o", "o", "--backgrounds", "-b", "1"}).options.koalizingOption, "--backgrounds");
    EXPECT_EQ(Parse({"a", "-o", "o", "-mgrey4"}).options.koalizingOption, "-m");
    EXPECT_EQ(Parse({"a", "-o", "o", "--clash-map=m.png"}).options.koalizingOption, "--clash-map");
    EXPECT_EQ(Parse({"a", "-o", "o", "-x", "-p", "pepto"}).options.koalizingOption, "");
    EXPECT_EQ(Parse({"pic.kla"}).error, "no output file given (-o OUTPUT)");
}

TEST(CliOptions, ImageOutputFromContainerOrExtension) {
    const auto image = [](std::vector<std::string_view> args) { return ChosenImageOutput(Parse(args).options); };
    EXPECT_EQ(image({"a", "-o", "pic.PNG"}), ImageOutput::Png);
    EXPECT_EQ(image({"a", "-o", "pic.bmp"}), ImageOutput::Bmp);
    EXPECT_EQ(image({"a", "-o", "pic", "-c", "bmp"}), ImageOutput::Bmp);
    EXPECT_EQ(image({"a", "-o", "pic.bmp", "-c", "png"}), ImageOutput::Png);
    EXPECT_EQ(image({"a", "-o", "pic.png", "-c", "prg"}), std::nullopt);  // a container given wins
    EXPECT_EQ(image({"a", "-o", "pic.prg"}), std::nullopt);
}

}  // namespace
}  // namespace pxm::cli

// --palette-file, the converter run as a process: a picture drawn in a palette of one's own (no
// listed one) is read in it exactly, converted and shown in it; files that hold no C64 palette
// are refused, naming what they lack, and nothing is written.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/png_builder.h"
#include "tests/support/png_reader.h"

namespace pxm::test {
namespace {

// Pepto's colours each moved a little, a different way each: a palette none of the listed is.
std::array<Rgb, 16> OwnColours() {
    std::array<Rgb, 16> own = C64Palettes[DefaultPalette].colours;
    for (std::size_t c = 0; c < own.size(); ++c) {
        const auto move = [&](std::uint8_t v, int by) { return static_cast<std::uint8_t>(std::clamp(v + by, 0, 255)); };
        const int by = static_cast<int>(c % 5) + 3;
        own[c] = {move(own[c].r, c % 2 ? by : -by), move(own[c].g, c % 3 ? -by : by), move(own[c].b, by)};
    }
    return own;
}

std::string TwoHex(std::uint8_t v) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", v);
    return text;
}

// The first `count` colours as a GIMP palette.
std::string GimpText(const std::array<Rgb, 16>& colours, std::size_t count = 16) {
    std::string text = "GIMP Palette\nName: Slightly off\nColumns: 8\n#\n";
    for (const Rgb c : std::span(colours).first(count))
        text += std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b) + "\tUntitled\n";
    return text;
}

std::string ViceText(const std::array<Rgb, 16>& colours) {
    std::string text = "#\n# VICE Palette file\n#\n";
    for (const Rgb c : colours) text += TwoHex(c.r) + " " + TwoHex(c.g) + " " + TwoHex(c.b) + " 0\n";
    return text;
}

std::string HexText(const std::array<Rgb, 16>& colours) {
    std::string text = "; sixteen colours, black first\n";
    for (const Rgb c : colours) text.append("#").append(TwoHex(c.r)).append(TwoHex(c.g)).append(TwoHex(c.b)).append("\n");
    return text;
}

// Every cell background 0 and three more colours, all sixteen used across the picture.
int Painting(int x, int y) {
    const int column = x / 2;
    const int cell = (y / 8) * 40 + column / 4;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((column % 4 + y % 8) % 4)];
}

std::vector<std::uint8_t> PaintedIn(const std::array<Rgb, 16>& colours) {
    return MakePng({}, [&](int x, int y) { return Packed(colours[static_cast<std::size_t>(Painting(x, y))]); });
}

class PaletteFileProcess : public ScratchTest {
protected:
    std::string WriteText(const std::string& text, const std::string& name) {
        return Write({text.begin(), text.end()}, name);
    }
};

TEST_F(PaletteFileProcess, APictureInTheFilesPaletteIsReadExactlyAndShownInIt) {
    const std::array<Rgb, 16> own = OwnColours();
    const std::string drawn = Write(PaintedIn(own), "own.png");
    // The same colour numbers in pepto, converted with pepto named: the bytes to expect.
    const std::string pepto = Write(PaintedIn(C64Palettes[DefaultPalette].colours), "pepto.png");
    ASSERT_EQ(RunConverter({pepto, "-p", "pepto", "-o", dir_ / "expected.prg"}).status, 0);
    ASSERT_EQ(RunConverter({pepto, "-n", "-p", "pepto", "-o", dir_ / "expected-n.prg"}).status, 0);
    const std::vector<std::uint8_t> expected = ReadFile(dir_ / "expected.prg");

    for (const auto& [name, text] : {std::pair<std::string, std::string>{"own.gpl", GimpText(own)},
                                     {"own.vpl", ViceText(own)}, {"own.txt", HexText(own)}}) {
        SCOPED_TRACE(name);
        const std::string palette = WriteText(text, name);
        const ProcessResult result = RunConverter({drawn, "--palette-file", palette, "-o", dir_ / "out.prg",
                                                   "--preview", dir_ / "preview.png"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out.find("Palette: " + palette + ".\n"), 0u) << result.out;
        EXPECT_EQ(ReadFile(dir_ / "out.prg"), expected);
        const ReadBackPng preview = ReadPngBack(ReadFile(dir_ / "preview.png"));
        ASSERT_EQ(preview.width, 320);
        ASSERT_EQ(preview.height, 200);
        for (int y = 0; y < 200; y += 3) {
            for (int x = 0; x < 320; x += 5)
                ASSERT_EQ(Packed(preview.At(x, y)), Packed(own[static_cast<std::size_t>(Painting(x, y))])) << x << "," << y;
        }
        // --nearest reads it as pixel art in the file's palette: nothing to change.
        const ProcessResult nearest = RunConverter({drawn, "-n", "--palette-file", palette, "-o", dir_ / "n.prg"});
        ASSERT_EQ(nearest.status, 0) << nearest.err;
        EXPECT_EQ(ReadFile(dir_ / "n.prg"), ReadFile(dir_ / "expected-n.prg"));
    }
    // Its PNG output is the picture in the file's colours again, pixel for pixel.
    const std::string palette = WriteText(GimpText(own), "own.gpl");
    ASSERT_EQ(RunConverter({drawn, "--palette-file", palette, "-o", dir_ / "again.png"}).status, 0);
    EXPECT_EQ(ReadPngBack(ReadFile(dir_ / "again.png")).pixels, ReadPngBack(ReadFile(drawn)).pixels);
}

TEST_F(PaletteFileProcess, AFileThatHoldsNoC64PaletteIsRefusedAndNothingWritten) {
    const std::array<Rgb, 16> own = OwnColours();
    const std::string drawn = Write(PaintedIn(own), "own.png");
    const std::string needs = "a C64 palette needs 16, in the C64's order (black, white, red, ...).\n";
    struct Case {
        std::string name;
        std::string text;
        std::string said;  // after "Error: " and the file's path
    };
    for (const Case& c : {Case{"fifteen.gpl", GimpText(own, 15), ": a GIMP palette of 15 colours; " + needs},
                          Case{"bad.vpl", "#\n# VICE Palette file\n#\n1G 00 00 0\n", ": line 4 ('1G 00 00 0') is no colour of a VICE palette (RR GG BB "
                                                     "in hex, then the dither value); " + needs},
                          Case{"empty.txt", "", ": no colours (a GIMP palette, a VICE palette or a list of hex "
                                                "colours); " + needs},
                          Case{"big.gpl", GimpText(own) + "255 300 0 Beyond\n",
                               ": line 21 ('255 300 0 Beyond') is no colour of a GIMP palette (R G B from 0 to 255, then a "
                               "name); " + needs}}) {
        SCOPED_TRACE(c.name);
        const std::string palette = WriteText(c.text, c.name);
        const ProcessResult result = RunConverter({drawn, "--palette-file", palette, "-o", dir_ / "out.prg"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "Error: " + palette + c.said);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
    }
    const ProcessResult missing = RunConverter({drawn, "--palette-file", dir_ / "none.gpl", "-o", dir_ / "out.prg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find(dir_ / "none.gpl"), std::string::npos) << missing.err;
    const ProcessResult both = RunConverter({drawn, "--palette-file", dir_ / "x.gpl", "-p", "vice", "-o", dir_ / "out.prg"});
    EXPECT_EQ(both.status, 2);
    EXPECT_NE(both.err.find("give either -p/--palette or --palette-file, not both"), std::string::npos) << both.err;
}

// A listed palette with two colours swapped converts, as given, with a warning naming the first.
TEST_F(PaletteFileProcess, AC64PaletteOutOfOrderIsWarnedOf) {
    std::array<Rgb, 16> swapped = C64Palettes[DefaultPalette].colours;
    std::swap(swapped[5], swapped[6]);
    const std::string palette = WriteText(HexText(swapped), "swapped.txt");
    const std::string drawn = Write(PaintedIn(swapped), "drawn.png");
    const ProcessResult result = RunConverter({drawn, "--palette-file", palette, "-o", dir_ / "out.prg"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "pixmosaic-cli: warning: " + palette +
                              ": its colours look like a C64 palette's in another order: entry 5 (#352879) is blue (6) "
                              "in pepto; a C64 palette needs 16, in the C64's order (black, white, red, ...).\n");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out.prg"));
}

}  // namespace
}  // namespace pxm::test

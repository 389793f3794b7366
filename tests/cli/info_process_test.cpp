// The built converter run as a process, read as a user reads it: every refusal names its file,
// and one that --nearest would turn into a picture says so (and --nearest then does); --info
// tells of any picture whether it converts, and of several files one block each.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

constexpr std::string_view WayOut = " --nearest (-n) makes the nearest C64 picture of it.";

std::uint32_t Pepto(int n) { return Packed(C64Palettes[DefaultPalette].colours[static_cast<std::size_t>(n)]); }

// A photograph's smooth colours: every pixel of the first 512x256 its own.
std::uint32_t Smooth(int x, int y) {
    return static_cast<std::uint32_t>((x & 255) << 16 | (y & 255) << 8 | (x >> 8 & 1) << 7 | (y >> 8 & 1) << 6);
}

// Five colours in the first cell, black elsewhere: no background leaves it three.
int Clashing(int x, int y) { return x < 8 && y < 8 ? (x / 2 + y) % 5 + 1 : 0; }

// Three colours a cell, on black: a picture that converts as it is.
int Cells(int x, int y) { return (x / 8 + y / 8) % 3 + 1 + (y >= 100 ? 4 : 0); }

class MessagesAndInfo : public ScratchTest {
protected:
    ProcessResult Info(std::vector<std::string> files) {
        files.insert(files.begin(), "--info");
        return RunConverter(files);
    }
    // The output holds these lines, as they stand.
    static void ExpectLines(const ProcessResult& result, const std::string& lines) {
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find(lines), std::string::npos) << result.out;
    }
};

// Each refusal on the first line of stderr, after "Error: FILE: "; where it names the way out,
// --nearest makes the file into a picture, and where it does not, --nearest refuses it too.
TEST_F(MessagesAndInfo, ARefusalNamesItsFileAndTheWayOutOnlyWhenThereIsOne) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::string reason;  // the first line, without the way out
        bool wayOut;
    };
    const std::vector<Case> cases{
        {"photo.png", MakePng({}, Smooth), "The picture holds 64,000 colours; a C64 picture holds at most 16.", true},
        {"camera.jpg", MakeJpeg({.width = 640, .height = 427}, Smooth), "This JPEG file is 640x427 pixels.", true},
        {"pairs.png", MakePng({.width = 16, .height = 8}, [](int x, int) { return Pepto(x % 3); }),
         "Both pixels of a double-wide C64 pixel must have the same colour.", true},
        {"cells.bmp", MakeBmp({}, Clashing),
         "The picture is not a valid C64 Format one.", true},
        {"print.jpg", MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Cmyk}, Smooth),
         "This JPEG file holds CMYK colours, for print, which no C64 picture is saved in; save it in RGB.", true},
        {"notes.txt", {'h', 'i', '\n'}, "This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = Write(c.file, c.name);
        const auto refused = RunConverter({in, "-o", dir_ / "out.prg"});
        EXPECT_EQ(refused.status, 1);
        const std::string first = refused.err.substr(0, refused.err.find('\n'));
        EXPECT_EQ(first.rfind("Error: " + in + ": " + c.reason, 0), 0u) << first;
        EXPECT_EQ(first.ends_with(WayOut), c.wayOut) << first;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
        const auto nearest = RunConverter({"-n", in, "-o", dir_ / "out.prg"});
        EXPECT_EQ(nearest.status, c.wayOut ? 0 : 1) << nearest.err;
        EXPECT_EQ(std::filesystem::exists(dir_ / "out.prg"), c.wayOut);
        std::filesystem::remove(dir_ / "out.prg");
    }
}

TEST_F(MessagesAndInfo, APictureIsToldByItsKindSizeColoursPaletteAndWhetherItConverts) {
    const std::string photo = Write(MakePng({}, Smooth), "photo.png");
    const std::string art = Write(MakePng({}, [](int x, int y) { return Pepto(Cells(x / 2, y)); }), "art.png");
    const std::string clash = Write(MakeBmp({}, Clashing), "c.bmp");
    const auto result = Info({photo, art, clash});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "File: " + photo +
                  "\nKind: PNG\nSize: 320x200 pixels\nColours: 64,000\nPalette: none (64,000 colours; a palette has "
                  "16)\nConverts: only with --nearest (-n): The picture holds 64,000 colours; a C64 picture holds at "
                  "most 16.\n\n"
                  "File: " + art +
                  "\nKind: PNG\nSize: 320x200 pixels\nColours: 6\nPalette: pepto\nConverts: as it is\n\n"
                  "File: " + clash +
                  "\nKind: BMP\nSize: 320x200 pixels\nColours: 6 of its 16 palette entries\nPalette: none needed (its "
                  "indexes are the C64 colour numbers)\nConverts: only with --nearest (-n): The picture is not a valid "
                  "C64 Format one. No background works; with background 0 (black), which leaves the fewest, 1 cell "
                  "holds more colours than it may; --clash-map shows it.\n");
    // A file that --nearest refuses too: no way out, in UTF-8 as every message.
    const std::string wide = Write(MakeBmp({.width = 321}, [](int, int) { return 0; }), "wide.bmp");
    EXPECT_EQ(Info({wide}).out, "File: " + wide +
                                    "\nKind: BMP\nConverts: no: This program can't load Windows\xC2\xAE Bitmap files larger "
                                    "than 320*200 pixels.\n");
    // -b and -m judge it as the conversion would.
    ExpectLines(Info({"-b", "white", clash}),
                "\nConverts: only with --nearest (-n): The picture is not a valid C64 Format one or either the chosen "
                "background color doesn't allow Koalization. Please try another background color or set it to AUTO. ");
}

TEST_F(MessagesAndInfo, APaletteIsNamedWithHowNearItFits) {
    // Pepto's colours four darker: the palette asked for, by how much (√48, rounded up).
    const auto darker = [](int x, int y) { return Pepto(Cells(x / 2, y)) - 0x040404u; };
    ExpectLines(Info({"-p", "pepto", Write(MakePng({}, darker), "near.png")}),
                "\nPalette: pepto (nearest; colours differ by up to 7)\nConverts: as it is\n");
    // A colour far from every colour of it: how far it lies.
    const auto pink = [](int x, int y) { return x < 2 && y < 2 ? 0xFF0080u : Pepto(Cells(x / 2, y)); };
    ExpectLines(Info({"-p", "pepto", Write(MakePng({}, pink), "far.png")}),
                "\nPalette: none (nearest pepto, but a colour lies 36.3 from its entry, more than the 25 taken)\n"
                "Converts: only with --nearest (-n): The picture holds a colour that is not in the palette pepto.\n");
}

// A C64 picture saved as a JPEG: the palette --nearest reads it in; a photograph: none.
TEST_F(MessagesAndInfo, ALossyC64PictureIsToldItsPaletteAsNearestReadsIt) {
    const C64Palette& vice = C64Palettes[*FindPalette("vice")];
    const auto paint = [&](int x, int y) { return Packed(vice.colours[static_cast<std::size_t>(Cells(x / 2, y))]); };
    const std::string art = Write(MakeJpeg({.quality = 90, .fullChroma = true}, paint), "art.jpg");
    const auto info = Info({art});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("\nPalette: vice (a C64 picture saved lossy, as --nearest reads it)\nConverts: only with "
                            "--nearest (-n): This JPEG file holds "),
              std::string::npos)
        << info.out;
    const auto nearest = RunConverter({"-n", art, "-o", dir_ / "art.prg"});
    EXPECT_EQ(nearest.out.substr(0, nearest.out.find('\n')), "Read as a lossy copy of a C64 picture, in palette vice.");
    const auto photo = Info({Write(MakeJpeg({}, Smooth), "photo.jpg")});
    EXPECT_NE(photo.out.find("\nPalette: none ("), std::string::npos) << photo.out;
}

// One block for each file, in the order given; a file that cannot be read gets its reason, and
// the exit status says that one was not read.
TEST_F(MessagesAndInfo, SeveralFilesOneBlockEach) {
    const std::string art = Write(MakePng({}, [](int x, int y) { return Pepto(Cells(x / 2, y)); }), "art.png");
    ASSERT_EQ(RunConverter({art, "-o", dir_ / "art.kla"}).status, 0);
    const auto alone = Info({dir_ / "art.kla"});
    ASSERT_EQ(alone.status, 0) << alone.err;
    const std::string koala = alone.out.substr(alone.out.find('\n') + 1);
    EXPECT_EQ(koala.rfind("Format: Koala-Painter (koala)\n", 0), 0u) << koala;

    const std::string missing = dir_ / "missing.png";
    const std::string text = Write({'h', 'i', '\n'}, "notes.txt");
    const auto result = Info({dir_ / "art.kla", missing, text, art});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "File: " + dir_ / "art.kla" + "\n" + koala + "\nFile: " + missing +
                              "\nNot read: No such file or directory\n\nFile: " + text +
                              "\nNot read: This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n\nFile: " + art +
                              "\nKind: PNG\nSize: 320x200 pixels\nColours: 6\nPalette: pepto\nConverts: as it is\n");
    // Standard input is named so.
    const auto piped = RunConverter({"--info", "-"}, {.standardInput = art});
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out.rfind("File: standard input\nKind: PNG\n", 0), 0u) << piped.out;
}

}  // namespace
}  // namespace pxm::test

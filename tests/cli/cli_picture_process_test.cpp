// The built converter on PNG and GIF pictures, run as a process: each gives byte for byte what
// the BMP of the same colour numbers gives; refusals, previews and the backgrounds list.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/case_names.h"
#include "tests/support/gif_builder.h"
#include "tests/support/palette_perturbation.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const C64Palette& Palette(std::string_view name) { return C64Palettes[*FindPalette(name)]; }

std::uint32_t Hex(Rgb c) { return Packed(c); }

// Colour numbers of Canvas pixel column, row: every cell background 0 and three more colours,
// all sixteen used across the picture, so that the palette is told apart from every other.
int Painting(int column, int row) {
    const int cell = (row / 8) * 40 + column / 4;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((column % 4 + row % 8) % 4)];
}

using Numbers = std::function<int(int, int)>;  // colour number of file pixel x, y

// The picture as the file holds it: a screenshot puts it inside a light blue border.
Numbers InFile(int width, int height, const Numbers& picture) {
    if (width != 384 || height != 272) return picture;
    return [picture](int x, int y) { return x >= 32 && x < 352 && y >= 35 && y < 235 ? picture(x - 32, y - 35) : 14; };
}

// The table of an indexed file: the palette's colours in an order of the file's own.
std::vector<Rgb> ScrambledTable(const C64Palette& palette) {
    std::vector<Rgb> table;
    for (int i = 0; i < 16; ++i) table.push_back(palette.colours[static_cast<std::size_t>((7 * i + 3) % 16)]);
    return table;
}
int ScrambledIndex(int number) {
    for (int i = 0; i < 16; ++i) {
        if ((7 * i + 3) % 16 == number) return i;
    }
    return -1;
}

enum class FileKind {
    PngRgb,
    PngRgbAlpha16Interlaced,
    PngIndexedScrambled,
    PngIndexedAsNumbers,
    GifScrambled,
    GifInterlacedAsNumbers
};

std::vector<std::uint8_t> MakePicture(FileKind kind, const C64Palette& palette, int width, int height,
                                      const Numbers& n) {
    const auto rgb = [&](int x, int y) { return Hex(palette.colours[static_cast<std::size_t>(n(x, y))]); };
    switch (kind) {
        case FileKind::PngRgb: return MakePng({.width = width, .height = height}, rgb);
        case FileKind::PngRgbAlpha16Interlaced:
            return MakePng(
                {.width = width, .height = height, .type = PngType::RgbAlpha, .bitDepth = 16, .interlaced = true}, rgb);
        case FileKind::PngIndexedScrambled:
            return MakePng(
                {.width = width, .height = height, .type = PngType::Indexed, .table = ScrambledTable(palette)},
                [&](int x, int y) { return static_cast<std::uint32_t>(ScrambledIndex(n(x, y))); });
        case FileKind::PngIndexedAsNumbers:
            return MakePng({.width = width,
                            .height = height,
                            .type = PngType::Indexed,
                            .bitDepth = 4,
                            .table = ScrambledTable(palette)},
                           [&](int x, int y) { return static_cast<std::uint32_t>(n(x, y)); });
        case FileKind::GifScrambled:
            return MakeGif({.width = width, .height = height, .table = ScrambledTable(palette)},
                           [&](int, int x, int y) { return ScrambledIndex(n(x, y)); });
        case FileKind::GifInterlacedAsNumbers: break;
    }
    return MakeGif(
        {.width = width, .height = height, .table = ScrambledTable(palette), .frames = {{.interlaced = true}}},
        [&](int, int x, int y) { return n(x, y); });
}

class PictureProcess : public ScratchTest {};

struct RouteCase {
    const char* name;
    FileKind kind;
    const char* palette;
    int width;
    int height;
    std::vector<std::string> options;  // besides INPUT -o OUTPUT
    std::string said;                  // the line the picture adds before the BMP's
    // A palette in no list, made from the one named; and how many colours the picture uses.
    std::function<Colours(Colours)> perturbed = [](Colours c) { return c; };
    int colours = 16;
};

class SameAsBmp : public PictureProcess, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(SameAsBmp, ByteForByte) {
    const RouteCase& c = GetParam();
    const bool screenshot = c.width == 384;
    const int pictureWidth = screenshot ? 320 : c.width;
    const int pictureHeight = screenshot ? 200 : c.height;
    const Numbers picture = [&c](int x, int y) { return Painting(x / 2, y) % c.colours; };
    const C64Palette palette{c.palette, c.perturbed(Palette(c.palette).colours)};
    const bool isPng = c.kind != FileKind::GifScrambled && c.kind != FileKind::GifInterlacedAsNumbers;
    const std::string in =
        Write(MakePicture(c.kind, palette, c.width, c.height, InFile(c.width, c.height, picture)),
              isPng ? "in.png" : "in.gif");
    // A 256-colour BMP keeps the left pixel of each pair, as a lone last pixel of an odd width.
    const std::string bmp =
        Write(MakeBmp({.width = pictureWidth, .height = pictureHeight, .bitsPerPixel = 8}, picture), "in.bmp");

    for (const auto& format : {std::vector<std::string>{"-f", "koala"}, {"-f", "sp2", "-c", "tap"}}) {
        SCOPED_TRACE(format[1]);
        // Without an extension the output is a P00 file, or what -c says.
        std::vector<std::string> args{bmp, "-o", dir_ / "bmp"};
        args.insert(args.end(), format.begin(), format.end());
        const auto expected = RunConverter(args);
        ASSERT_EQ(expected.status, 0) << expected.err;
        args[0] = in;
        args[2] = dir_ / "picture";
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, c.said + expected.out);
        EXPECT_EQ(ReadFile(dir_ / "picture"), ReadFile(dir_ / "bmp"));
    }
}

std::string CaseName(const RouteCase& c) { return c.name; }
void PrintTo(const RouteCase& c, std::ostream* out) { *out << CaseName(c); }

INSTANTIATE_TEST_SUITE_P(
    Pictures, SameAsBmp,
    ::testing::Values(
        RouteCase{"PngRgbPepto", FileKind::PngRgb, "pepto", 320, 200, {}, "Palette: pepto.\n"},
        RouteCase{"PngRgbAlpha16InterlacedColodore",
                  FileKind::PngRgbAlpha16Interlaced,
                  "colodore",
                  320,
                  200,
                  {},
                  "Palette: colodore.\n"},
        RouteCase{"PngIndexedViceSmall", FileKind::PngIndexedScrambled, "vice", 160, 96, {}, "Palette: vice.\n"},
        RouteCase{"PngScreenshotLeFunge", FileKind::PngRgb, "le funge", 384, 272, {}, "Palette: le funge.\n"},
        RouteCase{"PngNamedPaletteArchmage",
                  FileKind::PngRgb,
                  "archmage",
                  320,
                  200,
                  {"-p", "Archmage"},
                  "Palette: archmage.\n"},
        RouteCase{"PngIndexAsNumbers", FileKind::PngIndexedAsNumbers, "electric", 320, 200, {"--palette=index"}, ""},
        RouteCase{"GifScreenshotPerplex1", FileKind::GifScrambled, "perplex 1", 384, 272, {}, "Palette: perplex 1.\n"},
        RouteCase{"GifOddWidthSte", FileKind::GifScrambled, "ste", 37, 21, {}, "Palette: ste.\n"},
        RouteCase{
            "GifInterlacedIndexAsNumbers", FileKind::GifInterlacedAsNumbers, "lenyn", 320, 200, {"-p", "index"}, ""},
        // Palettes in no list: the nearest listed one is named, the colour numbers are the same.
        RouteCase{"PngPeptoRedAndDarkGreyBrighterShifted",
                  FileKind::PngRgb,
                  "pepto",
                  320,
                  200,
                  {},
                  "Palette: pepto (nearest; colours differ by up to 57).\n",
                  [](Colours c) { return AllShifted(StepMoved(c, 2, 11, 30), 6, -4, 5); }},
        RouteCase{"GifScreenshotColodoreHuesTurned",
                  FileKind::GifScrambled,
                  "colodore",
                  384,
                  272,
                  {},
                  "Palette: colodore (nearest; colours differ by up to 34).\n",
                  [](Colours c) { return AllHuesTurned(c, 10); }},
        RouteCase{"PngNamedViceStepMoved",
                  FileKind::PngRgbAlpha16Interlaced,
                  "vice",
                  320,
                  200,
                  {"-p", "vice"},
                  "Palette: vice (nearest; colours differ by up to 61).\n",
                  [](Colours c) { return StepMoved(c, 12, 14, -35); }},
        RouteCase{"PngSixColoursOfC64hqTurnedAndShifted",
                  FileKind::PngRgb,
                  "c64hq",
                  320,
                  200,
                  {},
                  "Palette: c64hq (nearest; colours differ by up to 20).\n",
                  [](Colours c) { return AllShifted(AllHuesTurned(c, -8), -6, 5, 4); },
                  6}),
    CaseNames{});

// --- refusals ---

class PictureRefused : public PictureProcess {
protected:
    void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& name,
                       // err: after "Error: FILE: "
                       std::vector<std::string> options, const std::string& err, int status = 1,
                       const std::string& out = "") {
        const std::string input = Write(bytes, name);
        options.insert(options.begin(), {input, "-o", dir_ / "out.prg", "--preview", dir_ / "out.png"});
        const auto result = RunConverter(options);
        EXPECT_EQ(result.status, status);
        EXPECT_EQ(result.out, out);
        EXPECT_EQ(result.err, "Error: " + input + ": " + err);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.png"));
    }
    std::vector<std::uint8_t> PeptoPng(int width, int height, const std::function<std::uint32_t(int, int)>& rgb) {
        return MakePng({.width = width, .height = height}, rgb);
    }
    // Pepto's colours 0-15 in double-wide pixels along each row, but `instead` for colour `number`
    // from row 2 on (black above).
    std::function<std::uint32_t(int, int)> PeptoBut(int number, std::uint32_t instead) {
        return [this, number, instead](int x, int y) {
            const int n = (x / 2) % 16;
            return n != number ? Pepto(n) : y >= 2 ? instead : Pepto(0);
        };
    }
    const C64Palette& pepto_ = Palette("pepto");
    std::uint32_t Pepto(int n) { return Hex(pepto_.colours[static_cast<std::size_t>(n)]); }
};

TEST_F(PictureRefused, SizesNotTaken) {
    const std::string taken =
        " pixels. Pictures of up to 320x200 pixels are taken, or emulator screenshots of exactly 384x272 pixels with "
        "the "
        "picture at 32,35 inside the border; at 160x200 and 192x272 one pixel is one double-wide C64 pixel. --nearest "
        "(-n) makes the nearest C64 picture of it.\n";
    ExpectRefused(PeptoPng(400, 300, [&](int, int) { return Pepto(0); }), "big.png", {},
                  "This PNG file is 400x300" + taken);
    ExpectRefused(
        MakeGif({.width = 320, .height = 201, .table = ScrambledTable(pepto_)}, [](int, int, int) { return 0; }),
        "tall.gif", {}, "This GIF file is 320x201" + taken);
}

TEST_F(PictureRefused, AColourThatIsNoC64ColourIsNamedWithItsFirstPixel) {
    // Pepto's colours in double-wide pixels, but #FF0080 where purple would be from row 2 on
    // (black above): the other fifteen fit pepto exactly, #FF0080 is far from every entry.
    const auto png = PeptoPng(32, 4, PeptoBut(4, 0xFF0080));
    ExpectRefused(png, "odd.png", {},
                  "The picture holds a colour that is not a C64 colour. --nearest (-n) makes the nearest C64 picture of it.\n"
                  "PNG pixel 8,2 (x from the left, y from the top) is the first with colour #FF0080; the other colours "
                  "fit the palette pepto best, and the nearest colour of pepto, 10 (pink, #9A6759), lies 36.3 from it (at "
                  "most 25 is taken).\n");
    ExpectRefused(png, "odd.png", {"-p", "pepto"},
                  "The picture holds a colour that is not in the palette pepto. --nearest (-n) makes the nearest C64 picture "
                  "of it.\n"
                  "PNG pixel 8,2 (x from the left, y from the top) is the first with colour #FF0080; the nearest colour "
                  "of pepto is 10 (pink, #9A6759), 36.3 from it (at most 25 is taken).\n");
}

TEST_F(PictureRefused, StrayColoursAreNamed) {
    // Pepto's sixteen colours, and one pair of #FF0000 at 6,3: seventeen colours.
    const auto png = PeptoPng(32, 4, [&](int x, int y) { return x / 2 == 3 && y == 3 ? 0xFF0000u : Pepto((x / 2) % 16); });
    ExpectRefused(png, "stray.png", {},
                  "The picture holds 17 colours; a C64 picture holds at most 16. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
                  "The other colours fit the palette pepto; these are stray (x from the left, y "
                  "from the top): #FF0000 (first at PNG pixel 6,3): 10 (pink, #9A6759) is nearest, 38.0 from it (at "
                  "most 25 is taken).\n");
}

TEST_F(PictureRefused, OneC64ColourInTwoPalettes) {
    // Pepto's colours, and the rgb palette's red where pink would be: red twice, pepto's and rgb's.
    ExpectRefused(PeptoPng(32, 4, PeptoBut(10, Hex(Palette("rgb").colours[2]))), "mixed.png", {},
                  "The picture holds a colour that is not a C64 colour. --nearest (-n) makes the nearest C64 picture of it.\n"
                  "PNG pixel 20,2 (x from the left, y from the top) is the first with colour #FF0000; the other colours "
                  "fit the palette pepto best, and the nearest colour of pepto, 10 (pink, #9A6759), lies 38.0 from it (at "
                  "most 25 is taken).\n");
}

TEST_F(PictureRefused, TwoColoursOnOneEntry) {
    // Pepto's colours, and a near black where yellow would be: it can only be black.
    for (const char* palette : {"auto", "pepto"}) {
        ExpectRefused(PeptoPng(32, 4, PeptoBut(7, 0x050505)), "blacks.png", {"--palette", palette},
                      "Two colours of the picture are the same colour of the palette pepto. --nearest (-n) makes the "
                      "nearest C64 picture of it.\n"
                      "PNG pixel 0,0 has #000000 and PNG pixel 14,2 has #050505 (x from the left, y from the top), "
                      "each the first with its colour; both are 0 (black, #000000) in pepto.\n");
    }
}

TEST_F(PictureRefused, MoreThanSixteenColours) {
    ExpectRefused(PeptoPng(64, 2, [](int x, int y) { return static_cast<std::uint32_t>(x / 2 + y * 0x10101); }),
                  "many.png", {},
                  "The picture holds 64 colours; a C64 picture holds at most 16. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n");
}

TEST_F(PictureRefused, PairsThatDifferInAScreenshot) {
    // File pixels 40 and 41 of row 36 are the left and right half of one C64 pixel.
    const auto paint = [&](int x, int y) { return x == 41 && y == 36 ? Pepto(3) : Pepto(x >= 32 && x < 352 ? 2 : 14); };
    ExpectRefused(PeptoPng(384, 272, paint), "shot.png", {},
                  "Both pixels of a double-wide C64 pixel must have the same colour. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
                  "PNG pixels 40,36 and 41,36 (x from the left, y from the top) are 2 (red, #68372B) and 3 (cyan, "
                  "#70A4B2).\n");
}

TEST_F(PictureRefused, IndexesAskedOfATruecolourPng) {
    ExpectRefused(
        PeptoPng(8, 8, [&](int, int) { return Pepto(1); }), "rgb.png", {"-p", "index"},
        "--palette index takes the colour table indexes of a PNG or GIF as C64 colour numbers, but this "
        "PNG has no colour table: it holds RGB colours. Give --palette auto or a palette name.\n");
}

TEST_F(PictureRefused, DamagedAndCutFiles) {
    auto png = PeptoPng(64, 64, [&](int x, int y) { return Pepto((x + y) % 16); });
    png.resize(png.size() / 2);
    const auto cut = RunConverter({Write(png, "cut.png"), "-o", dir_ / "o.prg"});
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err.rfind("Error: " + dir_ / "cut.png" + ": This PNG file is damaged or incomplete (libpng: ", 0), 0u)
        << cut.err;
    auto gif = MakeGif({.width = 64, .height = 64, .table = ScrambledTable(pepto_)},
                       [](int, int x, int y) { return (x * y) % 16; });
    gif.resize(gif.size() / 2);
    const auto gifCut = RunConverter({Write(gif, "cut.gif"), "-o", dir_ / "o.prg"});
    EXPECT_EQ(gifCut.status, 1);
    EXPECT_EQ(gifCut.err.rfind("Error: " + dir_ / "cut.gif" + ": This GIF file is damaged or incomplete (giflib: ", 0), 0u)
        << gifCut.err;
    ExpectRefused({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, "signature.png", {},
                  "This PNG file is damaged or incomplete (libpng: the file ends early).\n");
}

TEST_F(PictureRefused, AFileLongerThanFourMiB) {
    auto png = PeptoPng(8, 8, [&](int, int) { return Pepto(1); });
    png.resize((4 << 20) + 1, 0);
    ExpectRefused(png, "long.png", {},
                  "This PNG file is longer than 4 MiB; no picture of up to 384x272 pixels needs that much; --nearest "
                  "(-n) takes files of up to 64 MiB.\n");
    // Exactly 4 MiB is read; the bytes after the picture's end do not matter to libpng.
    png.resize(4 << 20);
    const auto result = RunConverter({Write(png, "just.png"), "-o", dir_ / "o.prg"});
    EXPECT_EQ(result.status, 0) << result.err;
}

// A BMP saved by a paint program whose palette holds the C64 colours in its own order: read by
// its colours (it was read by its indexes with a warning, which made a picture in scrambled
// colours), the same pixels every way.
TEST_F(PictureRefused, ExceptABmpInAnotherPaletteOrder) {
    std::vector<std::uint32_t> palette(16);
    for (int i = 0; i < 16; ++i) palette[static_cast<std::size_t>(i)] = Pepto((i + 5) % 16);  // index i holds colour i + 5
    const auto paint = CellPainter({{0, {1, 2, 3}}}, 0);
    const std::string bmp = Write(MakeBmp({.palette = palette}, paint), "gimp.bmp");
    const std::string shifted = Write(MakeBmp({}, [&](int x, int y) { return (paint(x, y) + 5) % 16; }), "c64.bmp");
    ASSERT_EQ(RunConverter({shifted, "-o", dir_ / "numbers.prg"}).status, 0);
    const auto byDefault = RunConverter({bmp, "-o", dir_ / "default.prg"});
    EXPECT_EQ(byDefault.status, 0) << byDefault.err;
    EXPECT_EQ(byDefault.err, "");
    EXPECT_EQ(byDefault.out,
              "Palette: pepto; this BMP holds its C64 colours in another order than their numbers, so it is read by "
              "its colours (--palette index reads its indexes).\nChosen background color: black.\n");
    EXPECT_EQ(ReadFile(dir_ / "default.prg"), ReadFile(dir_ / "numbers.prg"));
    const auto byColours = RunConverter({bmp, "-p", "AUTO", "-o", dir_ / "colours.prg"});
    EXPECT_EQ(byColours.status, 0) << byColours.err;
    EXPECT_EQ(byColours.out, "Palette: pepto.\nChosen background color: black.\n");
    EXPECT_EQ(ReadFile(dir_ / "colours.prg"), ReadFile(dir_ / "numbers.prg"));
    // As ImageMagick saves it: a 124-byte info header, the palette padded with black.
    // The picture's colours are 5 to 8: indexes 0 to 3 hold 8, 5, 7, 6.
    const std::array<int, 4> order{8, 5, 7, 6};
    std::vector<std::uint32_t> padded(16, 0);
    for (std::size_t i = 0; i < order.size(); ++i) padded[i] = Pepto(order[i]);
    const std::string v5 = Write(MakeBmp({.infoHeaderSize = 124, .palette = padded}, [&](int x, int y) {
        return static_cast<int>(std::find(order.begin(), order.end(), (paint(x, y) + 5) % 16) - order.begin());
    }), "magick.bmp");
    const auto magick = RunConverter({v5, "-o", dir_ / "magick.prg"});
    EXPECT_EQ(magick.status, 0) << magick.err;
    EXPECT_EQ(magick.out, byDefault.out);
    EXPECT_EQ(ReadFile(dir_ / "magick.prg"), ReadFile(dir_ / "numbers.prg"));
    // By its indexes, as the Windows program reads it, when asked.
    const auto byIndex = RunConverter({bmp, "-p", "index", "-o", dir_ / "index.prg"});
    EXPECT_EQ(byIndex.status, 0) << byIndex.err;
    EXPECT_EQ(byIndex.err, "");
    EXPECT_NE(ReadFile(dir_ / "index.prg"), ReadFile(dir_ / "numbers.prg"));
    // A colour that does not fit the palette, the others in another order: read by its indexes it
    // would come out scrambled, so it is refused, named (a teal as light as pepto's green).
    std::vector<std::uint32_t> teal = palette;
    teal[2] = 0x109076;  // colour 7, yellow
    const auto tealBmp = RunConverter({Write(MakeBmp({.palette = teal}, [](int x, int) { return x / 8 % 4; }), "teal.bmp"),
                                       "-o", dir_ / "teal.prg"});
    EXPECT_EQ(tealBmp.status, 1);
    EXPECT_EQ(tealBmp.err,
              "Error: " + dir_ / "teal.bmp" +
                  ": Two colours of the picture are the same colour of the palette pepto.\nBMP pixel 1,0 has #588D43 "
              "and BMP pixel 17,0 has #109076 (x from the left, y from the top), each the first with its colour; both "
              "are 5 (green, #588D43) in pepto. --palette index reads the BMP's indexes as they are.\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "teal.prg"));
    const auto wrongPalette = RunConverter({bmp, "-p", "colodore", "-o", dir_ / "x.prg"});
    EXPECT_EQ(wrongPalette.status, 1);
    // A BMP is read by its colours with --nearest too: no way out is named.
    EXPECT_EQ(wrongPalette.err.rfind("Error: " + bmp + ": The picture holds a colour that is not in the palette colodore.\nBMP pixel ", 0), 0u)
        << wrongPalette.err;
}

// --palette auto reads the pixels the BMP reader keeps (one of each pair), as the default does:
// a BMP whose pairs differ is no refusal; a PC's standard palette is read by its indexes.
TEST_F(PictureRefused, ABmpByColourKeepsThePixelsReadByIndex) {
    const auto cells = CellPainter({{0, {1, 2, 3}}, {1, {9, 10, 11}}}, 0);
    // A 256-colour BMP keeps the left pixel of each pair; the right ones are yellow.
    const auto paint = [&](int x, int y) { return x % 2 == 0 ? cells(x, y) : 7; };
    const std::string bmp = Write(MakeBmp({.bitsPerPixel = 8}, paint), "pairs.bmp");
    ASSERT_EQ(RunConverter({bmp, "-o", dir_ / "index.prg"}).status, 0);
    const auto byColours = RunConverter({bmp, "-p", "auto", "-o", dir_ / "auto.prg"});
    EXPECT_EQ(byColours.status, 0) << byColours.err;
    EXPECT_EQ(ReadFile(dir_ / "auto.prg"), ReadFile(dir_ / "index.prg"));
    std::vector<std::uint32_t> standard{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const std::string pc = Write(MakeBmp({.palette = standard}, cells), "pc.bmp");
    const std::string plain = Write(MakeBmp({}, cells), "plain.bmp");
    const auto result = RunConverter({pc, "-o", dir_ / "pc.prg"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Chosen background color: black.\n");
    ASSERT_EQ(RunConverter({plain, "-o", dir_ / "plain.prg"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pc.prg"), ReadFile(dir_ / "plain.prg"));
}

// A fully transparent pixel is judged by no RGB hidden under it: it is refused, named.
TEST_F(PictureRefused, TransparentPixels) {
    const auto paint = [&](int x, int y) { return Pepto(0) | (x / 2 == 5 && y == 3 ? 0xFF000000u : 0u); };
    ExpectRefused(MakePng({.width = 16, .height = 8, .type = PngType::RgbAlpha}, paint), "clear.png", {},
                  "The picture holds transparent pixels: a C64 has no transparent colour. --nearest (-n) makes the "
                  "nearest C64 picture of it.\n"
                  "PNG pixel 10,3 (x from the left, y from the top) is the first that is not fully opaque (alpha 0 of "
                  "255); paint every pixel in a C64 colour.\n");
    // An opaque picture with an alpha channel is read as it always was.
    const auto opaque = MakePng({.width = 16, .height = 8, .type = PngType::RgbAlpha}, [&](int, int) { return Pepto(6); });
    EXPECT_EQ(RunConverter({Write(opaque, "opaque.png"), "-o", dir_ / "o.prg"}).status, 0);
}

// 160x200, the canvas pixel artists paint multicolour on: one pixel per double-wide C64 pixel.
TEST_F(PictureRefused, NotANarrowPictureOfOnePixelPerC64Pixel) {
    const auto painting = [&](int x, int y) { return Pepto((x / 4 + y / 8) % 3 + (y < 100 ? 0 : 4)); };
    const auto narrow = RunConverter({Write(PeptoPng(160, 200, painting), "narrow.png"), "-o", dir_ / "narrow.prg"});
    ASSERT_EQ(narrow.status, 0) << narrow.err;
    const auto wide = RunConverter({Write(PeptoPng(320, 200, [&](int x, int y) { return painting(x / 2, y); }), "wide.png"),
                                    "-o", dir_ / "wide.prg"});
    ASSERT_EQ(wide.status, 0) << wide.err;
    EXPECT_EQ(ReadFile(dir_ / "narrow.prg"), ReadFile(dir_ / "wide.prg"));
    // Its cells are four of its pixels wide.
    ExpectRefused(PeptoPng(160, 200, [&](int x, int y) { return Pepto(x >= 4 && x < 8 && y < 8 ? 1 + x % 4 : 0); }),
                  "cell.png", {"-b", "0"},
                  "The picture is not a valid C64 Format one or either the \n"
                  "chosen background color doesn't allow Koalization.\n"
                  "Please try another background color or set it to AUTO. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
                  "1 cell holds more colours than it may; --clash-map shows it.\n"
                  "Cell 1,0 (PNG pixels 4-7 x 0-7) holds 4 colours besides background 0 (black): 1 (white), 2 (red), "
                  "3 (cyan), 4 (purple). A cell takes at most 3 colours besides the background: this one must lose "
                  "1.\n",
                  1, "Palette: pepto.\n");
}

TEST_F(PictureRefused, KoalizationDetailsNameTheFilesOwnPixels) {
    // Cell 1,0 of the screenshot holds four colours besides black.
    const auto paint = [&](int x, int y) {
        const bool inCell = x >= 40 && x < 48 && y >= 35 && y < 43;
        return Pepto(inCell ? 1 + ((x - 40) / 2) % 4 : x >= 32 && x < 352 && y >= 35 && y < 235 ? 0 : 6);
    };
    ExpectRefused(PeptoPng(384, 272, paint), "shot.png", {"-b", "black"},
                  "The picture is not a valid C64 Format one or either the \n"
                  "chosen background color doesn't allow Koalization.\n"
                  "Please try another background color or set it to AUTO. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
                  "1 cell holds more colours than it may; --clash-map shows it.\n"
                  "Cell 1,0 (PNG pixels 40-47 x 35-42) holds 4 colours besides background 0 (black): 1 (white), 2 "
                  "(red), 3 (cyan), 4 (purple). A cell takes at most 3 colours besides the background: this one must "
                  "lose 1.\n",
                  1, "Palette: pepto.\n");
    const auto gif = MakeGif({.width = 16, .height = 8, .table = ScrambledTable(pepto_)},
                             [&](int, int x, int y) { return ScrambledIndex(x / 2 == 5 && y == 4 ? 5 : 11); });
    ExpectRefused(
        gif, "grey.gif", {"-m", "grey4"},
        "Bitmap file is not compatible with this Format type.\n"
        "The picture must contain just Colors $0, $B, $C and $F. --nearest (-n) makes the nearest C64 picture of "
        "it.\n"
        "GIF pixel 10,4 (x from the left, y from the top; cell 1,0) has colour 5 (green); this mode takes only "
        "0 (black), 11 (dark grey), 12 (med grey) and 15 (light grey).\n",
        1, "Palette: pepto.\n");
}

// --- preview ---

std::vector<Rgb> ReadPreview(const std::string& path, int& width, int& height) {
    return ReadPngRgb(ReadFile(path), width, height);
}

void ExpectPreview(const std::string& path, const C64Palette& palette, const Numbers& picture) {
    int width = 0;
    int height = 0;
    const std::vector<Rgb> pixels = ReadPreview(path, width, height);
    ASSERT_EQ(width, 320);
    ASSERT_EQ(height, 200);
    ASSERT_EQ(pixels.size(), 320u * 200u);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(pixels[static_cast<std::size_t>(y * 320 + x)],
                      palette.colours[static_cast<std::size_t>(picture(x, y))])
                << x << "," << y;
    }
}

class Preview : public PictureProcess {};

TEST_F(Preview, ShowsThePictureInItsPalette) {
    const Numbers picture = [](int x, int y) { return Painting(x / 2, y); };
    struct Case {
        const char* name;
        FileKind kind;
        const char* painted;  // the palette of the file's colours
        const char* option;   // --palette, or none
        const char* shown;    // the palette the preview shows
        int width, height;
    };
    const std::vector<Case> cases{
        {"detected", FileKind::PngRgb, "colodore", nullptr, "colodore", 320, 200},
        {"named", FileKind::PngRgb, "vice", "vice", "vice", 384, 272},
        {"indexes as numbers", FileKind::GifInterlacedAsNumbers, "vice", "index", "pepto", 320, 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = Write(
            MakePicture(c.kind, Palette(c.painted), c.width, c.height, InFile(c.width, c.height, picture)), "in.pic");
        std::vector<std::string> args{in, "-o", dir_ / "out.prg", "--preview", dir_ / "preview.png"};
        if (c.option != nullptr) args.insert(args.end(), {"-p", c.option});
        const auto result = RunConverter(args);
        ASSERT_EQ(result.status, 0) << result.err;
        ExpectPreview(dir_ / "preview.png", Palette(c.shown), picture);
    }
}

// --preview FOLDER/ with several inputs: a preview of each, named after it, the same as
// converting each alone writes.
TEST_F(Preview, OfEveryInputOfABatchIntoAFolder) {
    const Numbers picture = [](int x, int y) { return Painting(x / 2, y); };
    const std::string a = Write(MakePicture(FileKind::PngRgb, Palette("colodore"), 320, 200, picture), "a.png");
    const std::string b = Write(MakePicture(FileKind::GifScrambled, Palette("vice"), 320, 200, picture), "b.gif");
    std::filesystem::create_directory(dir_ / "out");
    std::filesystem::create_directory(dir_ / "previews");
    const auto result = RunConverter({a, b, "--output-dir", dir_ / "out", "--preview", dir_ / "previews/", "-j", "2"});
    ASSERT_EQ(result.status, 0) << result.err;
    ExpectPreview(dir_ / "previews/a.png", Palette("colodore"), picture);
    ExpectPreview(dir_ / "previews/b.png", Palette("vice"), picture);
    ASSERT_EQ(RunConverter({b, "-o", dir_ / "b.prg", "--preview", dir_ / "b-alone.png"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "previews/b.png"), ReadFile(dir_ / "b-alone.png"));
    EXPECT_EQ(ReadFile(dir_ / "out/b.prg"), ReadFile(dir_ / "b.prg"));
}

TEST_F(Preview, OfABmpInPeptoAndOfAGreyMode) {
    const Numbers greys = [](int x, int y) {
        return std::array{0, 11, 12, 15}[static_cast<std::size_t>((x / 2 + y) % 4)];
    };
    const std::string in = Write(MakeBmp({}, greys), "in.bmp");
    const auto result = RunConverter({in, "-m", "grey4", "-o", dir_ / "out.prg", "--preview", dir_ / "p.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    ExpectPreview(dir_ / "p.png", Palette("pepto"), greys);
}

TEST_F(Preview, AFailedWriteIsReportedAndKeepsTheOldPreview) {
    const std::string in = Write(MakeBmp({}, [](int x, int y) { return Painting(x / 2, y); }), "in.bmp");
    const auto missing = RunConverter({in, "-o", dir_ / "out.prg", "--preview", dir_ / "none/p.png"});
    // Told before the picture is read, naming the file.
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "System Error: " + dir_ / "none/p.png" + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));

    const std::vector<std::uint8_t> old{'O', 'L', 'D'};
    std::filesystem::create_directory(dir_ / "ro");
    WriteFile(dir_ / "ro/p.png", old);
    chmod((dir_ / "ro").c_str(), 0555);
    const auto denied = RunConverter({in, "-o", dir_ / "out2.prg", "--preview", dir_ / "ro/p.png"}, {.asNobody = true});
    EXPECT_EQ(denied.status, 1);
    EXPECT_EQ(denied.err, "System Error: " + dir_ / "out2.prg" + ": Permission denied\n");
    EXPECT_EQ(ReadFile(dir_ / "ro/p.png"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "ro"), {}), 1);
}

// --- backgrounds ---

TEST_F(PictureProcess, BackgroundsThatWorkComeBeforeTheConversion) {
    // Cell 0 works with backgrounds 1-4, cell 1 with 3, 5, 6, 7: only cyan works for both.
    const auto cyanOnly = CellPainter({{0, {1, 2, 3, 4}}, {1, {3, 5, 6, 7}}}, 3);
    const auto png = MakePng(
        {}, [&](int x, int y) { return Hex(Palette("pepto").colours[static_cast<std::size_t>(cyanOnly(x, y))]); });
    const auto one = RunConverter({Write(png, "in.png"), "--backgrounds", "-o", dir_ / "a.prg"});
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, "Palette: pepto.\nBackgrounds that work: cyan.\nChosen background color: cyan.\n");

    const auto all = RunConverter({Write(MakeBmp({}, CellPainter({{0, {12, 15, 14}}}, 0)), "in.bmp"), "--backgrounds",
                                   "-b", "15", "-o", dir_ / "b.prg"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(
        all.out,
        "Backgrounds that work: black, white, red, cyan, purple, green, blue, yellow, orange, brown, pink, dark grey, "
        "med grey, light green, light blue, light grey.\n");

    const auto none = RunConverter({Write(MakeBmp({}, CellPainter({{5, {1, 2, 3, 4, 5}}}, 0)), "none.bmp"),
                                    "--backgrounds", "-m", "grey5", "-o", dir_ / "c.prg"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "Backgrounds that work: none.\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "c.prg"));
}

}  // namespace
}  // namespace pxm::test

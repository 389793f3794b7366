// The converter with --nearest, run as a process: clashing pixel art changed as little as
// possible (and told), a picture that needs no change written exactly as without the option,
// photographs of other sizes fitted with the background around them, and its usage errors.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const C64Palette& Pepto = C64Palettes[DefaultPalette];

std::uint32_t PeptoHex(int n) { return Packed(Pepto.colours[static_cast<std::size_t>(n)]); }

// Colour numbers of file pixel x, y: each cell background 0 and three more, pairs equal.
int Fitting(int x, int y) {
    const int cell = (y / 8) * 40 + x / 8;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((x / 2 % 4 + y % 8) % 4)];
}

class NearestProcess : public ScratchTest {
protected:
    std::vector<Rgb> Preview(int& width, int& height) { return ReadPngRgb(ReadFile(dir_ / "p.png"), width, height); }

    // Converts with a preview: its 320x200 pixels, or none (a failure told) when that failed.
    std::vector<Rgb> ConvertedPreview(std::vector<std::string> args) {
        args.emplace_back("--preview");
        args.emplace_back(dir_ / "p.png");
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 0) << result.err;
        int width = 0;
        int height = 0;
        std::vector<Rgb> shown = result.status == 0 ? Preview(width, height) : std::vector<Rgb>{};
        EXPECT_EQ(shown.size(), 320u * 200u);
        return shown.size() == 320u * 200u ? shown : std::vector<Rgb>{};
    }
};

TEST_F(NearestProcess, APictureThatFitsIsWrittenExactlyAsWithoutTheOption) {
    const std::string in = Write(MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); }), "in.png");
    const auto plain = RunConverter({in, "-o", dir_ / "plain.prg"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const auto nearest = RunConverter({in, "--nearest", "-o", dir_ / "nearest.prg"});
    ASSERT_EQ(nearest.status, 0) << nearest.err;
    EXPECT_EQ(nearest.out, "Palette: pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    EXPECT_EQ(ReadFile(dir_ / "nearest.prg"), ReadFile(dir_ / "plain.prg"));
}

TEST_F(NearestProcess, ClashingPixelArtChangesTheFewestPixelsAndSaysSo) {
    // Cell 3 gains a fifth colour on one pair, cell 50 two more colours on three pairs, where the
    // four it had hold seven pixels or more each: the fewest changes are 1 + 3.
    const auto paint = [](int x, int y) {
        if (x / 2 == 13 && y == 2) return 7;
        if (y == 8 + 4 && (x / 2 == 41 || x / 2 == 42)) return 9;
        if (y == 8 + 5 && x / 2 == 43) return 13;
        return Fitting(x, y);
    };
    const std::string in = Write(MakePng({}, [&](int x, int y) { return PeptoHex(paint(x, y)); }), "art.png");
    const auto refused = RunConverter({in, "-o", dir_ / "a.prg"});
    EXPECT_EQ(refused.status, 1);
    const auto result = RunConverter({in, "-n", "-o", dir_ / "a.prg", "--preview", dir_ / "p.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Palette: pepto.\nChosen background color: black.\nChanged 4 pixels in 2 cells.\n");
    int width = 0;
    int height = 0;
    const std::vector<Rgb> shown = Preview(width, height);
    ASSERT_EQ(shown.size(), 320u * 200u);
    int changed = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; x += 2) changed += shown[static_cast<std::size_t>(y * 320 + x)] != Pepto.colours[static_cast<std::size_t>(paint(x, y))];
    }
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(ReadFile(dir_ / "a.prg").size(), 10003u);
}

TEST_F(NearestProcess, ALargePhotographIsFittedInsideTheBackground) {
    // 1000 x 700 pixels of smooth colour: wider than the screen's shape is tall, so it fills the
    // height and leaves three multicolour pixels of background at each side.
    const auto photo = [](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 127.5 * std::sin(v)); };
        return c(x * 0.01) << 16 | c(y * 0.013 + 1) << 8 | c((x + y) * 0.007 + 2);
    };
    const std::string in = Write(MakePng({.width = 1000, .height = 700}, photo), "photo.png");
    const auto result = RunConverter({in, "--nearest", "-o", dir_ / "p.prg", "--preview", dir_ / "p.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.out.rfind("Chosen background color: ", 0), 0u) << result.out;
    int width = 0;
    int height = 0;
    const std::vector<Rgb> shown = Preview(width, height);
    ASSERT_EQ(shown.size(), 320u * 200u);
    const Rgb background = shown[0];
    for (int y = 0; y < 200; ++y) {
        for (const int x : {0, 5, 314, 319}) EXPECT_EQ(shown[static_cast<std::size_t>(y * 320 + x)], background) << x << "," << y;
    }
    std::set<std::uint32_t> inside;
    for (int y = 0; y < 200; ++y) {
        for (int x = 6; x < 314; ++x) inside.insert(Packed(shown[static_cast<std::size_t>(y * 320 + x)]));
    }
    EXPECT_GE(inside.size(), 8u) << "a photograph takes many of the sixteen colours";
}

// -v says what was chosen and why: the palette, the scaling, the dither.
TEST_F(NearestProcess, VerboseSaysWhatWasChosenAndWhy) {
    const auto photo = [](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 127.5 * std::sin(v)); };
        return c(x * 0.01) << 16 | c(y * 0.013 + 1) << 8 | c((x + y) * 0.007 + 2);
    };
    const std::string tall = Write(MakePng({.width = 1000, .height = 700}, photo), "tall.png");
    const std::string wide = Write(MakePng({.width = 900, .height = 300}, photo), "wide.png");
    const std::string art = Write(MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); }), "art.png");
    const std::string bmp = Write(GoodPicture(), "art.bmp");
    struct Case {
        std::vector<std::string> args;
        std::string lines;  // as they stand in the output
    };
    for (const Case& c : {
             Case{{tall, "-nvo", dir_ / "p.prg"},
                  "Palette: pepto (the default).\n"
                  "Scaling: fit (the picture is 1000 x 700: taller than the screen's shape, bordered left and right).\n"
                  "Dither: floyd-steinberg at 0.65, then refined as seen (the default for a photograph).\n"},
             Case{{wide, "-nv", "-p", "vice", "--dither", "atkinson", "--dither-strength", "0.5", "-o", dir_ / "p.prg"},
                  "Palette: vice (--palette).\n"
                  "Scaling: fit (the picture is 900 x 300: wider than the screen's shape, bordered above and below).\n"
                  "Dither: atkinson at 0.50 (as asked).\n"},
             // The palette recognised is told once, by the information line.
             Case{{art, "-nv", "-o", dir_ / "p.prg"},
                  "Scaling: none (the picture is 320 x 200, a C64 picture's size: placed as it is).\n"
                  "Dither: none (a picture of C64 colours only: the fewest pixels changed).\n"},
             // A BMP is always placed as read; by its indexes, its colours are shown in pepto.
             Case{{bmp, "-nv", "-o", dir_ / "p.prg"},
                  "Palette: pepto (the default).\n"
                  "Dither: none (a picture of C64 colours only: the fewest pixels changed).\n"},
         }) {
        SCOPED_TRACE(c.args[0]);
        const auto result = RunConverter(c.args);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find(c.lines), std::string::npos) << result.out;
        EXPECT_EQ(result.out.find("Palette: "), result.out.rfind("Palette: ")) << result.out;
    }
}

// 100 megapixels of two colours, the left half white: the rows all one row, written by libpng.
std::vector<std::uint8_t> HundredMegapixelPng() {
    const PngShape shape{.width = 10000, .height = 10000, .type = PngType::Indexed, .bitDepth = 1,
                         .table = {Pepto.colours[1], Pepto.colours[0]}};
    std::vector<std::uint8_t> row(10000 / 8, 0x00);
    std::fill(row.begin(), row.begin() + 5000 / 8, 0x00);
    std::fill(row.begin() + 5000 / 8, row.end(), 0xFF);
    std::vector<png_bytep> rows(10000, row.data());
    std::vector<png_color> table{{0xFF, 0xFF, 0xFF}, {0, 0, 0}};
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_compression_level(png, 1);
    if (!detail::WritePng(png, info, shape, table, rows, bytes)) bytes.clear();
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// A phone's or camera's picture of any size is brought down as it is decoded; a side longer than
// 65535 pixels is refused before any pixel is, saying so.
TEST_F(NearestProcess, PicturesOfAHundredMegapixelsAreTakenAndSidesPast65535Refused) {
    const std::string in = Write(HundredMegapixelPng(), "huge.png");
    const auto result = RunConverter({in, "-n", "-o", dir_ / "huge.prg", "--preview", dir_ / "p.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(std::filesystem::file_size(dir_ / "huge.prg"), 10003u);
    int width = 0;
    int height = 0;
    const std::vector<Rgb> shown = Preview(width, height);
    ASSERT_EQ(shown.size(), 320u * 200u);
    // A square fills the height: 107 multicolour pixels wide, from pixel 52 to 265, white then black.
    for (const int y : {10, 100, 190}) {
        for (const int x : {60, 100, 150}) EXPECT_EQ(shown[static_cast<std::size_t>(y * 320 + x)], Pepto.colours[1]) << x << "," << y;
        for (const int x : {170, 220, 258}) EXPECT_EQ(shown[static_cast<std::size_t>(y * 320 + x)], Pepto.colours[0]) << x << "," << y;
    }

    // The same header declaring 70000 x 1: refused by its size, nothing written.
    auto wide = MakePng({.width = 8, .height = 1}, [](int, int) { return 0u; });
    constexpr std::size_t IhdrData = 16;  // signature, length, "IHDR"
    for (const auto& [at, value] : {std::pair{IhdrData, 70000u}, {IhdrData + 4, 1u}}) {
        for (std::size_t i = 0; i < 4; ++i) wide[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
    const auto crc = static_cast<std::uint32_t>(crc32(0, wide.data() + IhdrData - 4, 17));
    for (std::size_t i = 0; i < 4; ++i) wide[IhdrData + 13 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    const std::string tooWide = Write(wide, "wide.png");
    const std::string out = dir_ / "out";
    std::filesystem::create_directory(out);
    const auto refused = RunConverter({tooWide, in, "-n", "-o", out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Error: " + tooWide + ": This PNG file is 70000x1 pixels; --nearest takes pictures of at "
                                         "most 65535 pixels on a side; make it smaller first."),
              std::string::npos)
        << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out/wide.prg"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out/huge.prg"));
}

TEST_F(NearestProcess, JpegsOfAnyColoursAndSizesAreTaken) {
    // Without --nearest a lossy JPEG is refused for its colours; with it, it becomes a picture,
    // a large one decoded smaller first and fitted as any picture of its shape: 2600 x 1700 is
    // wider than the screen's shape, so rows of background lie above and below it.
    const auto photo = [](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 127.5 * std::sin(v)); };
        return c(x * 0.004) << 16 | c(y * 0.005 + 1) << 8 | c((x + y) * 0.003 + 2);
    };
    const std::string small = Write(MakeJpeg({.quality = 80}, photo), "small.jpg");
    EXPECT_EQ(RunConverter({small, "-o", dir_ / "s.prg"}).status, 1);
    const auto fromSmall = RunConverter({small, "-n", "-o", dir_ / "s.prg"});
    ASSERT_EQ(fromSmall.status, 0) << fromSmall.err;
    EXPECT_EQ(ReadFile(dir_ / "s.prg").size(), 10003u);

    const std::string large = Write(MakeJpeg({.width = 2600, .height = 1700, .quality = 80}, photo), "large.jpg");
    const auto result = RunConverter({large, "-n", "-o", dir_ / "l.prg", "--preview", dir_ / "p.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    int width = 0;
    int height = 0;
    const std::vector<Rgb> shown = Preview(width, height);
    ASSERT_EQ(shown.size(), 320u * 200u);
    const Rgb background = shown[0];
    for (const int y : {0, 1, 198, 199}) {
        for (int x = 0; x < 320; ++x) EXPECT_EQ(shown[static_cast<std::size_t>(y * 320 + x)], background) << x << "," << y;
    }
    std::set<std::uint32_t> inside;
    for (int y = 4; y < 196; ++y) {
        for (int x = 0; x < 320; ++x) inside.insert(Packed(shown[static_cast<std::size_t>(y * 320 + x)]));
    }
    EXPECT_GE(inside.size(), 8u);
}

// The preview's multicolour pixels (every second pixel) that differ between two previews.
int DifferingPixels(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    int differing = 0;
    for (std::size_t at = 0; at < a.size() && at < b.size(); at += 2) differing += a[at] != b[at];
    return differing;
}

TEST_F(NearestProcess, AQuality90JpegOfAC64PictureIsThatPicture) {
    // In vice's colours, which pepto (taken when no palette fits) would dither; areas of a colour
    // as drawings have them (a lossy copy of colours changing at every pixel is no longer those).
    const C64Palette& vice = C64Palettes[*FindPalette("vice")];
    const auto paint = [&](int x, int y) {
        return Packed(vice.colours[static_cast<std::size_t>(Fitting(x / 8 * 8 + x / 4 % 2 * 2, y / 8 * 8 + y / 4 % 2))]);
    };
    const std::string png = Write(MakePng({}, paint), "art.png");
    const std::vector<Rgb> exact = ConvertedPreview({png, "-o", dir_ / "exact.prg"});
    // Full chroma, as a screenshot too; chroma halved across (4:2:2), and both ways (4:2:0).
    const std::vector<std::pair<JpegShape, bool>> saved{{{.quality = 90, .fullChroma = true}, false},
                                                        {{.quality = 90, .fullChroma = true}, true},
                                                        {{.quality = 90, .chromaHalvedAcrossOnly = true}, false},
                                                        {{.quality = 90}, false}};
    for (const auto& [shape, screenshot] : saved) {
        const std::string jpeg = Write(screenshot ? MakeJpeg({.width = 384, .height = 272, .quality = 90, .fullChroma = true}, [&](int x, int y) {
            const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
            return inside ? paint(x - 32, y - 35) : Packed(vice.colours[14]);
        }) : MakeJpeg(shape, paint), "art.jpg");
        const auto result = RunConverter({jpeg, "-n", "-o", dir_ / "lossy.prg", "--preview", dir_ / "p.png"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out.substr(0, result.out.find('\n')), "Read as a lossy copy of a C64 picture, in palette vice.");
        int width = 0;
        int height = 0;
        EXPECT_LE(DifferingPixels(Preview(width, height), exact), 80) << screenshot << shape.fullChroma << shape.chromaHalvedAcrossOnly;
    }
    // Enlarged twice, exactly: the picture itself.
    const std::string twice = Write(MakePng({.width = 640, .height = 400}, [&](int x, int y) { return paint(x / 2, y / 2); }), "twice.png");
    const auto result = RunConverter({twice, "-n", "-o", dir_ / "twice.prg"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Read as a C64 picture enlarged 2x, in palette vice.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    EXPECT_EQ(ReadFile(dir_ / "twice.prg"), ReadFile(dir_ / "exact.prg"));
}

TEST_F(NearestProcess, SmallPhotographsAndUnframedScreenshotSizesAreScaledToFit) {
    const auto photo = [](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 120 * std::sin(v)); };
        return c(x * 0.05) << 16 | c(y * 0.07 + 1) << 8 | c((x + y) * 0.03 + 2);
    };
    // 200 x 150 fills the screen's height: its last rows are picture, not background.
    const std::string small = Write(MakePng({.width = 200, .height = 150}, photo), "small.png");
    const std::vector<Rgb> fitted = ConvertedPreview({small, "-n", "-o", dir_ / "s.prg"});
    ASSERT_FALSE(fitted.empty());
    int picture = 0;
    for (std::size_t at = 160 * 320; at < fitted.size(); ++at) picture += fitted[at] != fitted[0];
    EXPECT_GE(picture, 320 * 20);
    // 384 x 272 without a border of one colour: scaled, with background at both sides.
    const std::string wide = Write(MakePng({.width = 384, .height = 272}, photo), "wide.png");
    const std::vector<Rgb> scaled = ConvertedPreview({wide, "-n", "-o", dir_ / "w.prg"});
    ASSERT_FALSE(scaled.empty());
    for (int y = 0; y < 200; y += 9) {
        for (const int x : {0, 7, 312, 319}) EXPECT_EQ(scaled[static_cast<std::size_t>(y * 320 + x)], scaled[0]) << x << "," << y;
    }
    // With a border of one colour, the same picture is a screenshot: its middle is placed.
    const std::string framed = Write(MakePng({.width = 384, .height = 272}, [&](int x, int y) {
        return x >= 32 && x < 352 && y >= 35 && y < 235 ? photo(x, y) : 0x352879u;
    }), "framed.png");
    const std::vector<Rgb> placed = ConvertedPreview({framed, "-n", "-o", dir_ / "f.prg"});
    ASSERT_FALSE(placed.empty());
    std::set<std::uint32_t> leftColumn;
    for (int y = 0; y < 200; ++y) leftColumn.insert(Packed(placed[static_cast<std::size_t>(y * 320)]));
    EXPECT_GE(leftColumn.size(), 3u);
}

TEST_F(NearestProcess, GreyModesKeepToTheirGreys) {
    const std::string in = Write(MakePng({.width = 640, .height = 400}, [](int x, int y) {
        return static_cast<std::uint32_t>((x * 7 + y * 3) % 256) * 0x010101u ^ static_cast<std::uint32_t>(x % 200) << 16;
    }), "g.png");
    for (const char* mode : {"grey4", "grey5"}) {
        const auto result = RunConverter({in, "--nearest", "-m", mode, "--dither", "atkinson", "-o", dir_ / "g.prg",
                                          "--preview", dir_ / "p.png"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "");
        int width = 0;
        int height = 0;
        std::set<std::uint32_t> used;
        for (const Rgb c : Preview(width, height)) used.insert(Packed(c));
        std::set<std::uint32_t> greys{PeptoHex(0), PeptoHex(11), PeptoHex(12), PeptoHex(15)};
        if (std::string_view(mode) == "grey5") greys.insert(PeptoHex(1));
        for (const std::uint32_t c : used) EXPECT_TRUE(greys.contains(c)) << mode << " " << std::hex << c;
    }
}

TEST_F(NearestProcess, UsageErrors) {
    const std::string in = Write(MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); }), "in.png");
    struct Case {
        std::vector<std::string> options;
        std::string error;
    };
    const std::vector<Case> cases{
        {{"--scale", "fit"}, "--scale has no effect without -n/--nearest: only the nearest picture is scaled and dithered"},
        {{"--dither", "bayer4"},
         "--dither has no effect without -n/--nearest: only the nearest picture is scaled and dithered"},
        {{"--dither-strength", "0.5"},
         "--dither-strength has no effect without -n/--nearest: only the nearest picture is scaled and dithered"},
        {{"-n", "--scale", "fit", "--scale", "fill"}, "option --scale is given more than once"},
        {{"-n", "--scale", "zoom"}, "unknown scaling 'zoom' (none, fit, fill or stretch)"},
        {{"-n", "--dither", "ordered"}, "unknown dither 'ordered' (none, bayer4, bayer8, floyd-steinberg or atkinson)"},
        {{"-n", "--dither-strength", "1.5"}, "dither strength '1.5' is not a number from 0 to 1"},
        {{"-n", "--dither-strength", "x"}, "dither strength 'x' is not a number from 0 to 1"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{in, "-o", dir_ / "u.prg"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "pixmosaic-cli: " + c.error);
        EXPECT_FALSE(std::filesystem::exists(dir_ / "u.prg"));
    }
}

TEST_F(NearestProcess, AC64FileAsInputRefusesTheOption) {
    const std::string in = Write(MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); }), "in.png");
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "c.prg"}).status, 0);
    const auto result = RunConverter({dir_ / "c.prg", "-n", "-o", dir_ / "again.prg"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')),
              "pixmosaic-cli: -n is for a picture to koalize; " + dir_ / "c.prg" +
                  " is a C64 file, which keeps its own colours and background");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "again.prg"));
}

// Standard input may be as long as a file with --nearest, and no longer.
TEST_F(NearestProcess, StandardInputTakesTheLongerLimit) {
    auto png = MakePng({.width = 8, .height = 8}, [](int, int) { return PeptoHex(1); });
    png.resize((4 << 20) + 1, 0);
    const std::string in = Write(png, "long.png");
    const auto taken = RunConverter({"-", "-n", "-o", dir_ / "long.prg"}, {.standardInput = in});
    EXPECT_EQ(taken.status, 0) << taken.err;
    png.resize((std::size_t{64} << 20) + 1, 0);
    const std::string tooLong = Write(png, "longer.png");
    const auto refused = RunConverter({"-", "-n", "-o", dir_ / "longer.prg"}, {.standardInput = tooLong});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Error: standard input: This PNG file is longer than 64 MiB, the most --nearest takes.\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "longer.prg"));
}

// Refused without --nearest; with it, a pixel that is not fully opaque takes the background, and
// the colour hidden under it shows nowhere.
TEST_F(NearestProcess, TransparentPixelsTakeTheBackground) {
    constexpr std::uint32_t HiddenGreen = 0xFF0AC81Eu;  // fully transparent
    const std::string in = Write(MakePng({.type = PngType::RgbAlpha}, [](int x, int y) {
        if (x < 8 && y < 8) return HiddenGreen;
        if (x == 8 && y == 0) return 0x80000000u | PeptoHex(1);  // half transparent white
        return PeptoHex(Fitting(x, y));
    }), "holes.png");
    EXPECT_EQ(RunConverter({in, "-o", dir_ / "refused.prg"}).status, 1);
    // The green under the transparent pixels is no colour of the picture: the rest is still pixel
    // art in pepto, and needs no change.
    const auto told = RunConverter({in, "-n", "-o", dir_ / "told.prg"});
    EXPECT_EQ(told.out, "Palette: pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    const std::vector<Rgb> shown = ConvertedPreview({in, "-n", "-o", dir_ / "a.prg"});
    ASSERT_FALSE(shown.empty());
    const std::vector<std::uint8_t> koala = ReadFile(dir_ / "a.prg");
    ASSERT_EQ(koala.size(), 10003u);
    const int background = koala.back() & 15;  // a Koala file ends with its background
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < (y == 0 ? 10 : 8); ++x)  // the half transparent pixel's pair too
            EXPECT_EQ(Packed(shown[static_cast<std::size_t>(y * 320 + x)]), PeptoHex(background)) << x << "," << y;
    }

    // Scaled: the transparent left half is background, not the green under it.
    const std::string wide = Write(MakePng({.width = 640, .height = 400, .type = PngType::RgbAlpha}, [](int x, int y) {
        if (x < 320) return HiddenGreen;
        return PeptoHex((x / 16 + y / 16) % 2 ? 6 : 2);
    }), "half.png");
    const std::vector<Rgb> half = ConvertedPreview({wide, "-n", "-o", dir_ / "b.prg"});
    ASSERT_FALSE(half.empty());
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 150; x += 5)
            EXPECT_EQ(half[static_cast<std::size_t>(y * 320 + x)], half[0]) << "background at " << x << "," << y;
    }
}

TEST_F(NearestProcess, EveryScalingAndDitherWritesAPicture) {
    const std::string in = Write(MakePng({.width = 77, .height = 301}, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 3) << 16 | static_cast<std::uint32_t>(y % 256) << 8 | 0x40u;
    }), "tall.png");
    for (const char* scale : {"none", "fit", "fill", "stretch"}) {
        for (const char* dither : {"none", "bayer4", "bayer8", "floyd-steinberg", "atkinson"}) {
            const auto result = RunConverter({in, "-n", "--scale", scale, "--dither", dither, "--dither-strength", "0.5",
                                              "-f", "artstudio", "-o", dir_ / "s.prg"});
            EXPECT_EQ(result.status, 0) << scale << " " << dither << ": " << result.err;
        }
    }
}

}  // namespace
}  // namespace pxm::test

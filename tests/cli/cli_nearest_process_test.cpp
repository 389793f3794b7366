// The converter with --nearest, run as a process: a picture of a hundred megapixels written and a
// side too long refused in a batch, its usage errors, a C64 file refused, standard input's limit.
// What the nearest picture is made of is the library's (tests/lib).
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <filesystem>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/c64_art.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const C64Palette& Pepto = PeptoPalette();

class NearestProcess : public ScratchTest {
protected:
    std::vector<Rgb> Preview(int& width, int& height) { return ReadPngRgb(ReadFile(dir_ / "p.png"), width, height); }
};

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

}  // namespace
}  // namespace pxm::test

// The built converter on WebP, TIFF, HEIC and AVIF files and CMYK JPEGs, run as a process, the
// files written by the formats' own tools (cwebp, img2webp, ImageMagick's convert, heif-enc): a
// lossless WebP or TIFF of a C64 picture gives its PNG's Koala bytes exactly, whatever the depth,
// pages or frames; alpha refused as a PNG's; lossy HEIC, AVIF and CMYK photographs made into
// pictures by --nearest near their PNG's, and refused without it; damaged files and sizes that
// are not taken refused before any output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const std::string Cwebp = PIXMOSAIC_CWEBP_PATH;
const std::string Img2webp = PIXMOSAIC_IMG2WEBP_PATH;
const std::string Convert = PIXMOSAIC_CONVERT_PATH;
const std::string HeifEnc = PIXMOSAIC_HEIF_ENC_PATH;

std::uint32_t Pepto(int n) { return Packed(C64Palettes[DefaultPalette].colours[static_cast<std::size_t>(n)]); }

// Background 0 and three more colours in each cell, pairs equal: a picture that koalizes.
std::uint32_t Fitting(int x, int y) {
    const int cell = (y / 8) * 40 + x / 8;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return Pepto(set[static_cast<std::size_t>((x / 2 % 4 + y % 8) % 4)]);
}

// Smooth colour all over the screen: a photograph as far as the converter can tell.
std::uint32_t Photo(int x, int y) {
    const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 127.5 * std::sin(v)); };
    return c(x * 0.02) << 16 | c(y * 0.03 + 1) << 8 | c((x + y) * 0.015 + 2);
}

class FormatsProcess : public ScratchTest {
protected:
    // A file made by one of the formats' tools, its path last; the test fails when the tool does.
    std::string Made(std::vector<std::string> command, const std::string& name) {
        const std::string path = dir_ / name;
        command.push_back(path);
        const ProcessResult made = RunProcess(command);
        EXPECT_EQ(made.status, 0) << command[0] << ": " << made.err;
        return path;
    }

    std::vector<std::uint8_t> Converted(const std::string& in, const std::string& name) {
        const auto result = RunConverter({in, "-o", dir_ / name});
        EXPECT_EQ(result.status, 0) << in << ": " << result.err;
        return ReadFile(dir_ / name);
    }

    // The preview of in made with --nearest, 320x200 pixels.
    std::vector<Rgb> NearestPreview(const std::string& in, const std::string& name) {
        const auto result = RunConverter({in, "-n", "-o", dir_ / (name + ".prg"), "--preview", dir_ / (name + ".png")});
        EXPECT_EQ(result.status, 0) << in << ": " << result.err;
        int width = 0;
        int height = 0;
        std::vector<Rgb> shown = ReadPngRgb(ReadFile(dir_ / (name + ".png")), width, height);
        EXPECT_EQ(shown.size(), 320u * 200u);
        return shown;
    }

    // err: the message after "Error: FILE: ".
    void ExpectRefused(const std::string& in, const std::string& err, const std::vector<std::string>& options = {}) {
        std::vector<std::string> args{in, "-o", dir_ / "out.prg"};
        args.insert(args.end(), options.begin(), options.end());
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 1) << in;
        EXPECT_EQ(result.err, "Error: " + in + ": " + err) << in;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg")) << in;
    }
};

// How far two previews lie apart: the mean of each channel's difference over 8x8 blocks, as the
// eye blends a dithered picture.
double BlockDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    double total = 0;
    for (int by = 0; by < 25; ++by) {
        for (int bx = 0; bx < 40; ++bx) {
            std::array<int, 3> sum{};
            for (int y = by * 8; y < by * 8 + 8; ++y) {
                for (int x = bx * 8; x < bx * 8 + 8; ++x) {
                    const std::size_t at = static_cast<std::size_t>(y * 320 + x);
                    sum[0] += a[at].r - b[at].r;
                    sum[1] += a[at].g - b[at].g;
                    sum[2] += a[at].b - b[at].b;
                }
            }
            total += (std::abs(sum[0]) + std::abs(sum[1]) + std::abs(sum[2])) / (64.0 * 3);
        }
    }
    return total / 1000;
}

TEST_F(FormatsProcess, LosslessWebpAndTiffGiveThePngsKoalaBytes) {
    const std::string png = Write(MakePng({}, Fitting), "picture.png");
    const std::string other = Write(MakePng({}, [](int x, int y) { return Pepto((x / 2 + y) % 16); }), "other.png");
    const auto expected = Converted(png, "png.prg");
    ASSERT_EQ(expected.size(), 10003u);
    const std::vector<std::pair<std::string, std::string>> files{
        {"WebP", Made({Cwebp, "-quiet", "-lossless", png, "-o"}, "picture.webp")},
        {"animated WebP, first frame", Made({Img2webp, "-lossless", png, other, "-o"}, "animated.webp")},
        {"TIFF", Made({Convert, png}, "picture.tif")},
        {"TIFF, 16 bits a sample", Made({Convert, png, "-depth", "16"}, "deep.tif")},
        {"TIFF, big-endian", Made({Convert, png, "-endian", "MSB"}, "motorola.tif")},
        {"TIFF, first of two pages", Made({Convert, png, other}, "pages.tif")},
        // Read by content, whatever the name says.
        {"WebP named .png", Made({Cwebp, "-quiet", "-lossless", png, "-o"}, "misnamed.png")},
    };
    for (const auto& [what, path] : files) {
        SCOPED_TRACE(what);
        EXPECT_EQ(Converted(path, "out.prg"), expected);
    }
}

TEST_F(FormatsProcess, AlphaIsRefusedAsInAPng) {
    // A pixel half transparent: refused naming it, as the PNG it was made from is.
    const std::string png = Write(MakePng({.type = PngType::RgbAlpha},
                                          [](int x, int y) {
                                              // The top byte is the transparency.
                                              return (x == 7 && y == 3 ? 0x7F000000u : 0u) | Fitting(x, y);
                                          }),
                                  "alpha.png");
    const std::string WayOut = "--nearest (-n) makes the nearest C64 picture of it.";
    const std::string detail = " pixel 7,3 (x from the left, y from the top) is the first that is not fully opaque "
                               "(alpha 128 of 255); paint every pixel in a C64 colour.\n";
    ExpectRefused(png, "The picture holds transparent pixels: a C64 has no transparent colour. " + WayOut + "\nPNG" + detail);
    ExpectRefused(Made({Cwebp, "-quiet", "-lossless", "-exact", png, "-o"}, "alpha.webp"),
                  "The picture holds transparent pixels: a C64 has no transparent colour. " + WayOut + "\nWebP" + detail);
    ExpectRefused(Made({Convert, png}, "alpha.tif"),
                  "The picture holds transparent pixels: a C64 has no transparent colour. " + WayOut + "\nTIFF" + detail);
}

TEST_F(FormatsProcess, HeicAndAvifPhotographsBecomePicturesWithNearest) {
    const std::string png = Write(MakePng({}, Photo), "photo.png");
    const std::vector<Rgb> fromPng = NearestPreview(png, "png");
    for (const auto& [kind, encoder] : {std::pair<std::string, std::vector<std::string>>{"HEIC", {HeifEnc, "-q", "90"}},
                                        {"AVIF", {HeifEnc, "-A", "-q", "90"}}}) {
        SCOPED_TRACE(kind);
        std::vector<std::string> command = encoder;
        command.insert(command.end(), {png, "-o"});
        const std::string file = Made(command, "photo." + kind);
        // Lossy: thousands of colours, which no C64 picture has.
        const auto refused = RunConverter({file, "-o", dir_ / "out.prg"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err.rfind("Error: " + file + ": This " + kind + " file holds ", 0), 0u) << refused.err;
        EXPECT_TRUE(refused.err.ends_with("--nearest (-n) makes the nearest C64 picture of it.\n")) << refused.err;
        // With --nearest, the picture of the PNG it was made from, within what lossy coding moves.
        const std::vector<Rgb> shown = NearestPreview(file, kind);
        ASSERT_EQ(shown.size(), fromPng.size());
        EXPECT_LT(BlockDifference(shown, fromPng), 4.0);
    }
}

TEST_F(FormatsProcess, CmykJpegsBecomePicturesOnlyWithNearest) {
    const std::string png = Write(MakePng({}, Photo), "photo.png");
    const std::string cmyk = Made({Convert, png, "-quality", "95", "-colorspace", "CMYK"}, "print.jpg");
    ExpectRefused(cmyk,
                  "This JPEG file holds CMYK colours, for print, which no C64 picture is saved in; save it in RGB. "
                  "--nearest (-n) makes the nearest C64 picture of it.\n");
    // Shown in RGB with Adobe's inverted inks: the photograph's colours, not their negative.
    EXPECT_LT(BlockDifference(NearestPreview(cmyk, "cmyk"), NearestPreview(png, "png")), 4.0);
}

TEST_F(FormatsProcess, WithoutLibheifAHeifFileIsRefusedNamingThePackage) {
    // A libheif.so.1 that is no libheif (zlib under its name) is found first: its functions are missing.
    const std::filesystem::path fake = dir_.path() / "lib";
    std::filesystem::create_directory(fake);
    std::filesystem::copy_file(ZLIB_SHARED_PATH, fake / "libheif.so.1");
    const std::string png = Write(MakePng({}, Photo), "photo.png");
    for (const auto& [kind, encoder] : {std::pair<std::string, std::string>{"HEIC", ""}, {"AVIF", "-A"}}) {
        SCOPED_TRACE(kind);
        std::vector<std::string> command{HeifEnc, "-q", "50", png, "-o"};
        if (!encoder.empty()) command.insert(command.begin() + 1, encoder);
        const std::string file = Made(command, "photo." + kind);
        for (const char* nearest : {"-q", "-n"}) {
            const auto result = RunProcess({"/usr/bin/env", "LD_LIBRARY_PATH=" + fake.string(), ConverterPath, file,
                                            nearest, "-o", dir_ / "out.prg"});
            EXPECT_EQ(result.status, 1);
            EXPECT_EQ(result.err, "Error: " + file + ": This " + kind +
                                      " file needs libheif (libheif.so.1), which is not installed: install the libheif1 "
                                      "package, or convert the picture to PNG first.\n");
            EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
        }
    }
}

TEST_F(FormatsProcess, DamagedFilesAndSizesNotTakenAreRefused) {
    const std::string png = Write(MakePng({}, Fitting), "picture.png");
    const std::string large = Write(MakePng({.width = 400, .height = 300}, Fitting), "large.png");
    const std::string sizes =
        " file is 400x300 pixels. Pictures of up to 320x200 pixels are taken, or emulator screenshots of exactly "
        "384x272 pixels with the picture at 32,35 inside the border; at 160x200 and 192x272 one pixel is one "
        "double-wide C64 pixel. --nearest (-n) makes the nearest C64 picture of it.\n";
    ExpectRefused(Made({Cwebp, "-quiet", "-lossless", large, "-o"}, "large.webp"), "This WebP" + sizes);
    ExpectRefused(Made({Convert, large}, "large.tif"), "This TIFF" + sizes);
    ExpectRefused(Made({HeifEnc, "-q", "50", large, "-o"}, "large.heic"), "This HEIC" + sizes);

    // Cut in half: the picture data ends early.
    const std::vector<std::pair<std::string, std::string>> whole{
        {"WebP", Made({Cwebp, "-quiet", "-lossless", png, "-o"}, "cut.webp")},
        {"TIFF", Made({Convert, png, "-compress", "zip"}, "cut.tif")},
        {"HEIC", Made({HeifEnc, "-q", "50", png, "-o"}, "cut.heic")},
    };
    for (const auto& [kind, path] : whole) {
        SCOPED_TRACE(kind);
        auto bytes = ReadFile(path);
        bytes.resize(bytes.size() / 2);
        const std::string cut = Write(bytes, "cut");
        const auto result = RunConverter({cut, "-n", "-o", dir_ / "out.prg"});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.rfind("Error: " + cut + ": This " + kind + " file is damaged or incomplete (lib", 0), 0u) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
    }
    // An ISO media file of no picture brand (a video) is no picture.
    std::vector<std::uint8_t> video{0, 0, 0, 0x18, 'f', 't', 'y', 'p', 'i', 's', 'o', 'm', 0, 0, 2, 0,
                                    'i', 's', 'o', 'm', 'm', 'p', '4', '1'};
    ExpectRefused(Write(video, "clip.mp4"),
                  "This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n");
    // Decoded whole, a picture past 25 megapixels is refused for its memory, even with --nearest.
    const std::string huge = Made({Convert, "-size", "5001x5001", "xc:gray", "-compress", "zip"}, "huge.tif");
    ExpectRefused(huge,
                  "This TIFF file is 5001x5001 pixels; a TIFF picture is decoded whole, of up to 25 megapixels. Saved "
                  "as a PNG or JPEG, a picture of any size up to 65535 pixels on a side is taken.\n",
                  {"-n"});
}

}  // namespace
}  // namespace pxm::test

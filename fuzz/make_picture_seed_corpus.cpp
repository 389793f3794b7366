// Writes the picture fuzzer's seed corpus into the directory given: pictures of every kind the
// decoders meet, good and bad, made with the tests' PNG, GIF and JPEG builders and the WebP, TIFF
// and HEIF encoders; and a BMP, which --info reads there too. Each after the choice bytes of
// settings that suit it: --nearest for the sizes only it takes, --info for a few.
#include <cstdio>
#include <string>
#include <vector>

#include "core/palette/c64_palettes.h"
#include "fuzz/conversion_choice.h"
#include "fuzz/format_seeds.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/gif_builder.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace {

using pxm::fuzz::Settings;
using pxm::test::JpegColours;
using pxm::test::PngType;

int Number(int x, int y) { return (x / 8 + y / 8) % 3 + (x / 16) % 2; }

std::vector<pxm::Rgb> Table(std::size_t palette) {
    const auto& colours = pxm::C64Palettes[palette].colours;
    return {colours.begin(), colours.end()};
}

std::uint32_t Rgb(std::size_t palette, int n) {
    return pxm::Packed(pxm::C64Palettes[palette].colours[static_cast<std::size_t>(n)]);
}

void WriteSeed(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& file, const Settings& settings = {}) {
    pxm::fuzz::WriteChosenSeed(dir, name, pxm::fuzz::PictureDimensions(), settings, file);
}

// --nearest with a dither: the picture is not refined, which takes the sanitized fuzzer seconds
// for a photograph (a few small seeds take that road).
const Settings Nearest{{"nearest", "1"}};
const Settings Dithered{{"nearest", "1"}, {"dither", "bayer8"}};
const Settings Info{{"info", "1"}};

}  // namespace

// x265, libheif's HEVC encoder, keeps a few buffers to the end of the process: its leak, not the
// seeds' (read by LeakSanitizer in the sanitize build, where the seeds are made).
extern "C" const char* __lsan_default_suppressions() { return "leak:libx265.so\n"; }

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_picture_seed_corpus DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto pepto = [](int x, int y) { return Rgb(pxm::DefaultPalette, Number(x, y)); };
    WriteSeed(dir, "rgb-pepto.png", pxm::test::MakePng({.width = 32, .height = 16}, pepto));
    WriteSeed(dir, "rgba16-interlaced.png",
              pxm::test::MakePng(
                  {.width = 24, .height = 16, .type = PngType::RgbAlpha, .bitDepth = 16, .interlaced = true}, pepto));
    WriteSeed(dir, "grey2.png",
              pxm::test::MakePng({.width = 16, .height = 8, .type = PngType::Grey, .bitDepth = 2}, pepto));
    WriteSeed(
        dir, "indexed4.png",
        pxm::test::MakePng({.width = 32, .height = 8, .type = PngType::Indexed, .bitDepth = 4, .table = Table(11)},
                           [](int x, int y) { return static_cast<std::uint32_t>(Number(x, y)); }),
        {{"palette", "index"}, {"clash-map", "clash.png"}});
    WriteSeed(
        dir, "screenshot.png",
        pxm::test::MakePng({.width = 384, .height = 272}, [](int x, int y) { return Rgb(0, x < 32 || y < 35 ? 14 : Number(x, y)); }),
        {{"executable", "1"}, {"border", "auto"}, {"name", "FUZZED"}});
    WriteSeed(dir, "differing-pairs.png",
              pxm::test::MakePng({.width = 16, .height = 8}, [](int x, int) { return Rgb(6, x % 3); }));
    WriteSeed(dir, "too-wide.png", pxm::test::MakePng({.width = 330, .height = 2}, pepto));
    // Sizes only --nearest takes, scaled: one pixel, very wide, very tall, odd.
    const auto photo = [](int x, int y) { return static_cast<std::uint32_t>(x * 2654435761u ^ y * 40503u) & 0xFFFFFFu; };
    WriteSeed(dir, "nearest-1x1.png", pxm::test::MakePng({.width = 1, .height = 1}, photo), Nearest);
    WriteSeed(dir, "nearest-wide.png", pxm::test::MakePng({.width = 3000, .height = 3}, photo),
              {{"nearest", "1"}, {"scale", "fill"}, {"dither", "bayer4"}});
    WriteSeed(dir, "nearest-tall.png", pxm::test::MakePng({.width = 2, .height = 2001}, photo),
              {{"nearest", "1"}, {"scale", "stretch"}, {"dither", "atkinson"}});
    WriteSeed(dir, "nearest-odd.png", pxm::test::MakePng({.width = 333, .height = 77}, photo),
              {{"nearest", "1"}, {"dither", "floyd-steinberg"}, {"container", "png"}});
    // More than 4 megapixels, brought down as decoded: flat rows that compress to little, and
    // interlaced indexes; a GIF whose frame leaves part of its screen uncovered.
    const auto bands = [](int, int y) { return static_cast<std::uint32_t>(y / 7 * 0x10305) & 0xFFFFFFu; };
    WriteSeed(dir, "large.png", pxm::test::MakePng({.width = 2100, .height = 2000}, bands), Dithered);
    WriteSeed(dir, "large-interlaced.png",
              pxm::test::MakePng({.width = 4100, .height = 1000, .type = pxm::test::PngType::Indexed, .bitDepth = 1,
                                  .interlaced = true, .table = {{0, 0, 0}, {255, 255, 255}}},
                                 [](int x, int y) { return static_cast<std::uint32_t>((x / 64 + y / 64) % 2); }),
              {{"nearest", "1"}, {"dither", "bayer8"}});
    WriteSeed(dir, "large-frame.gif",
              pxm::test::MakeGif({.width = 2100, .height = 2000, .table = Table(4), .background = 2,
                                  .frames = {{.left = 100, .top = 50, .width = 1900, .height = 1900, .interlaced = true}}},
                                 [](int, int x, int y) { return (x / 32 + y / 32) % 4; }),
              {{"nearest", "1"}, {"dither", "none"}, {"scale", "fit"}});
    auto cut = pxm::test::MakePng({.width = 64, .height = 32}, pepto);
    cut.resize(cut.size() / 2);
    WriteSeed(dir, "cut.png", cut, Info);
    WriteSeed(dir, "info.bmp", pxm::test::MakeBmp({.width = 32, .height = 16}, Number), Info);
    // A BMP's --nearest road (the BMP fuzzer keeps to koalizing): one too wide, dithered.
    WriteSeed(dir, "nearest.bmp", pxm::test::MakeBmp({.width = 330, .height = 40, .bitsPerPixel = 8}, [](int x, int y) { return (x * y) % 256; }),
              {{"nearest", "1"}, {"dither", "floyd-steinberg"}, {"scale", "fit"}});

    const auto index = [](int, int x, int y) { return Number(x, y); };
    WriteSeed(dir, "plain.gif", pxm::test::MakeGif({.width = 32, .height = 16, .table = Table(6)}, index));
    WriteSeed(
        dir, "frames.gif",
        pxm::test::MakeGif(
            {.width = 24,
             .height = 16,
             .table = Table(3),
             .background = 5,
             .frames = {{.left = 2, .top = 3, .width = 8, .height = 5, .interlaced = true, .table = Table(12)}, {}}},
            index));
    WriteSeed(dir, "screenshot.gif", pxm::test::MakeGif({.width = 384, .height = 272, .table = Table(9)}, index),
              {{"container", "bmp"}, {"preview", "preview.png"}});
    auto gifCut = pxm::test::MakeGif({.width = 64, .height = 32, .table = Table(6)}, index);
    gifCut.resize(gifCut.size() / 2);
    WriteSeed(dir, "cut.gif", gifCut, Info);

    // One colour per 8x8 block at full quality and chroma: few enough colours to be imported.
    const auto blocks = [](int x, int y) { return Rgb(pxm::DefaultPalette, (x / 8 + y / 8) % 16); };
    WriteSeed(dir, "blocks.jpg",
              pxm::test::MakeJpeg({.width = 32, .height = 16, .quality = 100, .fullChroma = true}, blocks));
    WriteSeed(dir, "lossy.jpg", pxm::test::MakeJpeg({.width = 40, .height = 24, .quality = 75}, pepto));
    WriteSeed(dir, "progressive.jpg", pxm::test::MakeJpeg({.width = 48, .height = 16, .progressive = true}, pepto), Dithered);
    WriteSeed(dir, "grey.jpg", pxm::test::MakeJpeg({.width = 24, .height = 16, .colours = JpegColours::Grey}, pepto));
    // A camera's EXIF orientation, in both byte orders: libexif's parsing and the turning.
    WriteSeed(dir, "turned-right.jpg", pxm::test::MakeJpeg({.width = 24, .height = 40, .orientation = 6}, pepto), Info);
    WriteSeed(dir, "transversed-motorola.jpg",
              pxm::test::MakeJpeg({.width = 40, .height = 24, .orientation = 7, .bigEndianExif = true}, pepto));
    WriteSeed(dir, "cmyk.jpg", pxm::test::MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Cmyk}, pepto), Dithered);
    WriteSeed(dir, "screenshot.jpg",
              pxm::test::MakeJpeg({.width = 384, .height = 272, .quality = 100, .fullChroma = true}, blocks));
    // A C64 picture gone lossy, at its size and enlarged twice: read by its colours' clusters.
    const auto areas = [](int x, int y) { return Rgb(0, (x / 4 + y / 4 * 3) % 16); };
    WriteSeed(dir, "lossy-c64.jpg", pxm::test::MakeJpeg({.quality = 90, .fullChroma = true}, areas), Dithered);
    WriteSeed(dir, "lossy-c64-twice.jpg", pxm::test::MakeJpeg({.width = 640, .height = 400, .quality = 90, .fullChroma = true},
                                                              [&](int x, int y) { return areas(x / 2, y / 2); }),
              {{"nearest", "1"}, {"format", "sp2"}, {"container", "tap"}});
    // Saved with its chroma halved (4:2:0, 4:2:2; narrow; as a screenshot, its picture starting
    // on an odd row): read by brightness first.
    WriteSeed(dir, "lossy-c64-halved.jpg", pxm::test::MakeJpeg({.quality = 90}, areas), Dithered);
    WriteSeed(dir, "lossy-c64-across.jpg", pxm::test::MakeJpeg({.quality = 90, .chromaHalvedAcrossOnly = true}, areas), Dithered);
    WriteSeed(dir, "lossy-c64-narrow.jpg", pxm::test::MakeJpeg({.width = 160, .quality = 90}, areas), Dithered);
    WriteSeed(dir, "lossy-c64-screenshot.jpg", pxm::test::MakeJpeg({.width = 384, .height = 272, .quality = 90}, [&](int x, int y) {
        return x >= 32 && x < 352 && y >= 35 && y < 235 ? areas(x - 32, y - 35) : Rgb(0, 14);
    }), Dithered);
    auto jpegCut = pxm::test::MakeJpeg({.width = 64, .height = 32, .progressive = true}, pepto);
    jpegCut.resize(jpegCut.size() / 2);
    WriteSeed(dir, "cut.jpg", jpegCut, Dithered);

    // WebP lossless and lossy, TIFF of 8 and 16 bits a sample, compressed or not, of two pages;
    // HEIC and AVIF (lossy); alpha in one pixel; each also cut short.
    const auto rgba = [&](int x, int y) { return (x == 3 && y == 2 ? 0x80000000u : 0xFF000000u) | pepto(x, y); };
    const pxm::fuzz::RgbaPixels small = pxm::fuzz::MakeRgba(32, 16, rgba);
    pxm::fuzz::WriteWebpSeed(dir, "lossless.webp", small, -1);
    pxm::fuzz::WriteWebpSeed(dir, "lossy.webp", pxm::fuzz::MakeRgba(40, 24, blocks), 75);
    pxm::fuzz::WriteTiffSeed(dir, "plain.tif", small, 8, COMPRESSION_NONE);
    pxm::fuzz::WriteTiffSeed(dir, "deep-deflate.tif", small, 16, COMPRESSION_ADOBE_DEFLATE);
    pxm::fuzz::WriteTiffSeed(dir, "pages-lzw.tif", small, 8, COMPRESSION_LZW, 2);
    pxm::fuzz::WriteHeifSeed(dir, "photo.heic", pxm::fuzz::MakeRgba(64, 32, photo), heif_compression_HEVC);
    pxm::fuzz::WriteHeifSeed(dir, "photo.avif", pxm::fuzz::MakeRgba(64, 32, photo), heif_compression_AV1);
    // The encoders wrote the files; each gets its choice bytes now, and three of them are cut.
    for (const char* name : {"lossless.webp", "deep-deflate.tif", "photo.heic"}) {
        std::vector<std::uint8_t> whole = pxm::fuzz::ReadSeed(dir + "/" + name);
        whole.resize(whole.size() / 2);
        WriteSeed(dir, std::string("cut-") + name, whole, Info);
    }
    for (const auto& [name, settings] : {std::pair{"lossless.webp", Settings{}}, std::pair{"lossy.webp", Dithered},
                                         std::pair{"plain.tif", Settings{{"palette", "auto"}}},
                                         std::pair{"deep-deflate.tif", Settings{{"container", "p00"}}},
                                         std::pair{"pages-lzw.tif", Info}, std::pair{"photo.heic", Dithered},
                                         std::pair{"photo.avif", Settings{{"nearest", "1"}, {"dither", "none"}}}})
        WriteSeed(dir, name, pxm::fuzz::ReadSeed(dir + "/" + name), settings);
    return 0;
}

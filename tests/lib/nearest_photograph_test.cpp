// The nearest picture of photographs and lossy copies, through the library: the verbose lines
// say what was chosen and why; the grey modes keep to their greys; a JPEG of a C64 picture is
// read back as that picture; every scaling and dither makes a picture, whatever the format.
#include <gtest/gtest.h>

#include <set>

#include "core/format/export_format.h"
#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

TEST(NearestPhotograph, VerboseSaysWhatWasChosenAndWhy) {
    const auto photo = [](int x, int y) { return SmoothPhoto(x, y); };
    const std::vector<std::uint8_t> tall = MakePng({.width = 1000, .height = 700}, photo);
    const std::vector<std::uint8_t> wide = MakePng({.width = 900, .height = 300}, photo);
    const std::vector<std::uint8_t> art = MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); });
    const std::vector<std::uint8_t> bmp = MakeBmp({}, Fitting);
    struct Case {
        const char* what;
        OptionList options;
        const std::vector<std::uint8_t>& input;
        std::string lines;  // as they stand in the words
    };
    for (const Case& c : {
             Case{"tall", {}, tall,
                  "Palette: pepto (the default).\n"
                  "Scaling: fit (the picture is 1000 x 700: taller than the screen's shape, bordered left and right).\n"
                  "Dither: floyd-steinberg at 0.65, then refined as seen (the default for a photograph).\n"},
             Case{"wide", {{"palette", "vice"}, {"dither", "atkinson"}, {"dither-strength", "0.5"}}, wide,
                  "Palette: vice (--palette).\n"
                  "Scaling: fit (the picture is 900 x 300: wider than the screen's shape, bordered above and below).\n"
                  "Dither: atkinson at 0.50 (as asked).\n"},
             // The palette recognised is told once, by the information line.
             Case{"art", {}, art,
                  "Scaling: none (the picture is 320 x 200, a C64 picture's size: placed as it is).\n"
                  "Dither: none (a picture of C64 colours only: the fewest pixels changed).\n"},
             // A BMP is always placed as read; by its indexes, its colours are shown in pepto.
             Case{"bmp", {}, bmp,
                  "Palette: pepto (the default).\n"
                  "Dither: none (a picture of C64 colours only: the fewest pixels changed).\n"},
         }) {
        SCOPED_TRACE(c.what);
        OptionList options{{"nearest", "1"}, {"verbose", "1"}};
        options.insert(options.end(), c.options.begin(), c.options.end());
        const Outcome result = Converted(options, c.input);
        ASSERT_EQ(result.status, 0) << result.message;
        EXPECT_NE(result.message.find(c.lines), std::string::npos) << result.message;
        EXPECT_EQ(result.message.find("Palette: "), result.message.rfind("Palette: ")) << result.message;
    }
}

TEST(NearestPhotograph, GreyModesKeepToTheirGreys) {
    const std::vector<std::uint8_t> png = MakePng({.width = 640, .height = 400}, [](int x, int y) {
        return static_cast<std::uint32_t>((x * 7 + y * 3) % 256) * 0x010101u ^ static_cast<std::uint32_t>(x % 200) << 16;
    });
    for (const char* mode : {"grey4", "grey5"}) {
        SCOPED_TRACE(mode);
        const Outcome result = Converted({{"nearest", "1"}, {"mode", mode}, {"dither", "atkinson"}}, png);
        ASSERT_EQ(result.status, 0) << result.message;
        EXPECT_EQ(result.message, "");
        std::set<std::uint32_t> greys{PeptoHex(0), PeptoHex(11), PeptoHex(12), PeptoHex(15)};
        if (std::string_view(mode) == "grey5") greys.insert(PeptoHex(1));
        std::set<std::uint32_t> used;
        for (const Rgb c : result.Pixels()) used.insert(Packed(c));
        EXPECT_GE(used.size(), 3u);
        for (const std::uint32_t c : used) EXPECT_TRUE(greys.contains(c)) << std::hex << c;
    }
}

// The preview's multicolour pixels (every second pixel) that differ between two outcomes.
int DifferingPixels(const Outcome& a, const Outcome& b) {
    int differing = 0;
    for (std::size_t at = 0; at < a.rgba.size() && at < b.rgba.size(); at += 8)
        differing += a.rgba[at] != b.rgba[at] || a.rgba[at + 1] != b.rgba[at + 1] || a.rgba[at + 2] != b.rgba[at + 2];
    return differing;
}

TEST(NearestPhotograph, AQuality90JpegOfAC64PictureIsThatPicture) {
    // In vice's colours, which pepto (taken when no palette fits) would dither; areas of a colour
    // as drawings have them (a lossy copy of colours changing at every pixel is no longer those).
    const C64Palette& vice = C64Palettes[*FindPalette("vice")];
    const auto paint = [&](int x, int y) {
        return Packed(vice.colours[static_cast<std::size_t>(Fitting(x / 8 * 8 + x / 4 % 2 * 2, y / 8 * 8 + y / 4 % 2))]);
    };
    const Outcome exact = Converted({}, MakePng({}, paint));
    ASSERT_EQ(exact.status, 0) << exact.message;
    const auto screenshot = [&](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        return inside ? paint(x - 32, y - 35) : Packed(vice.colours[14]);
    };
    // Full chroma, as a screenshot too; chroma halved across (4:2:2), and both ways (4:2:0).
    for (const auto& [what, jpeg] : std::vector<std::pair<std::string, std::vector<std::uint8_t>>>{
             {"4:4:4", MakeJpeg({.quality = 90, .fullChroma = true}, paint)},
             {"4:4:4 screenshot", MakeJpeg({.width = 384, .height = 272, .quality = 90, .fullChroma = true}, screenshot)},
             {"4:2:2", MakeJpeg({.quality = 90, .chromaHalvedAcrossOnly = true}, paint)},
             {"4:2:0", MakeJpeg({.quality = 90}, paint)}}) {
        SCOPED_TRACE(what);
        EXPECT_EQ(Converted({}, jpeg).status, ExitRefused);
        const Outcome result = Converted({{"nearest", "1"}}, jpeg);
        ASSERT_EQ(result.status, 0) << result.message;
        EXPECT_EQ(result.message.substr(0, result.message.find('\n')), "Read as a lossy copy of a C64 picture, in palette vice.");
        EXPECT_LE(DifferingPixels(result, exact), 80);
    }
}

TEST(NearestPhotograph, EveryScalingAndDitherMakesThePictureInAnyFormat) {
    const std::vector<std::uint8_t> png = MakePng({.width = 77, .height = 301}, [](int x, int y) {
        return static_cast<std::uint32_t>(x * 3) << 16 | static_cast<std::uint32_t>(y % 256) << 8 | 0x40u;
    });
    const std::size_t artStudioPrg = 2 + InfoOf(ExportFormat::ArtStudio).layout.size;
    for (const char* scale : {"none", "fit", "fill", "stretch"}) {
        for (const char* dither : {"none", "bayer4", "bayer8", "floyd-steinberg", "atkinson"}) {
            SCOPED_TRACE(std::string(scale) + " " + dither);
            const OptionList options{{"nearest", "1"}, {"scale", scale}, {"dither", dither}, {"dither-strength", "0.5"}};
            const Outcome koala = Converted(options, png);
            ASSERT_EQ(koala.status, 0) << koala.message;
            EXPECT_EQ(koala.file.size(), 2 + KoalaImageSize);
            OptionList asArtStudio = options;
            asArtStudio.emplace_back("format", "artstudio");
            const Outcome artStudio = Converted(asArtStudio, png);
            ASSERT_EQ(artStudio.status, 0) << artStudio.message;
            EXPECT_EQ(artStudio.file.size(), artStudioPrg);
            EXPECT_EQ(artStudio.rgba, koala.rgba) << "the format changes the bytes, not the picture";
        }
    }
}

}  // namespace
}  // namespace pxm::test

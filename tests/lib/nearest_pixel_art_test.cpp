// The nearest picture of pixel art, through the library: a picture that fits is the picture the
// plain road makes, byte for byte; clashing cells are repaired with the fewest pixels changed, in
// those cells only, and the count is told; a C64 picture enlarged exactly is that picture; what
// is not opaque takes the background.
#include <gtest/gtest.h>

#include <set>

#include "core/koala/koala_image.h"
#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const OptionList Nearest{{"nearest", "1"}};

constexpr std::size_t KoalaPrgSize = 2 + KoalaImageSize;

std::vector<std::uint8_t> FittingPng() { return MakePng({}, [](int x, int y) { return PeptoHex(Fitting(x, y)); }); }

TEST(NearestPixelArt, APictureThatFitsIsWrittenExactlyAsWithoutTheOption) {
    const std::vector<std::uint8_t> png = FittingPng();
    const Outcome plain = Converted({}, png);
    ASSERT_EQ(plain.status, 0) << plain.message;
    const Outcome nearest = Converted(Nearest, png);
    ASSERT_EQ(nearest.status, 0) << nearest.message;
    EXPECT_EQ(nearest.message, "Palette: pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    EXPECT_EQ(nearest.file, plain.file);
    EXPECT_EQ(nearest.rgba, plain.rgba);

    // A BMP's indexes are its colour numbers: the same picture, the same bytes.
    const Outcome bmp = Converted(Nearest, MakeBmp({}, Fitting));
    ASSERT_EQ(bmp.status, 0) << bmp.message;
    EXPECT_EQ(bmp.file, plain.file);
}

TEST(NearestPixelArt, ClashingCellsChangeTheFewestPixelsThereAndSaySo) {
    // Cell 3 gains a fifth colour on one pair, cell 50 two more colours on three pairs,
    // where the four it had hold seven pixels or more each: the fewest changes are 1 + 3.
    const auto paint = [](int x, int y) {
        if (x / 2 == 13 && y == 2) return 7;
        if (y == 8 + 4 && (x / 2 == 41 || x / 2 == 42)) return 9;
        if (y == 8 + 5 && x / 2 == 43) return 13;
        return Fitting(x, y);
    };
    const std::vector<std::uint8_t> png = MakePng({}, [&](int x, int y) { return PeptoHex(paint(x, y)); });
    const Outcome refused = Converted({}, png);
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(refused.hasFile);

    const Outcome result = Converted(Nearest, png);
    ASSERT_EQ(result.status, 0) << result.message;
    EXPECT_EQ(result.message, "Palette: pepto.\nChosen background color: black.\nChanged 4 pixels in 2 cells.\n");
    EXPECT_EQ(result.file.size(), KoalaPrgSize);
    ASSERT_EQ(result.width, 320);
    ASSERT_EQ(result.height, 200);
    std::set<int> changedCells;
    int changed = 0;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; x += 2) {
            if (result.At(x, y) == PeptoColour(paint(x, y))) continue;
            ++changed;
            changedCells.insert(y / 8 * 40 + x / 8);
        }
    }
    EXPECT_EQ(changed, 4);
    EXPECT_EQ(changedCells, (std::set<int>{3, 50}));
}

TEST(NearestPixelArt, AC64PictureEnlargedExactlyIsThatPicture) {
    const std::vector<std::uint8_t> png = FittingPng();
    const Outcome exact = Converted({}, png);
    ASSERT_EQ(exact.status, 0) << exact.message;
    for (const int factor : {2, 3, 4}) {
        SCOPED_TRACE(factor);
        const std::vector<std::uint8_t> enlarged = MakePng({.width = 320 * factor, .height = 200 * factor},
                                                           [&](int x, int y) { return PeptoHex(Fitting(x / factor, y / factor)); });
        const Outcome result = Converted(Nearest, enlarged);
        ASSERT_EQ(result.status, 0) << result.message;
        EXPECT_EQ(result.message, "Read as a C64 picture enlarged " + std::to_string(factor) +
                                      "x, in palette pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
        EXPECT_EQ(result.file, exact.file);
    }
}

// Refused without --nearest; with it, a pixel that is not fully opaque takes the background, and
// the colour hidden under it shows nowhere.
TEST(NearestPixelArt, PixelsNotFullyOpaqueTakeTheBackground) {
    constexpr std::uint32_t HiddenGreen = 0xFF0AC81Eu;  // fully transparent
    const std::vector<std::uint8_t> png = MakePng({.type = PngType::RgbAlpha}, [](int x, int y) {
        if (x < 8 && y < 8) return HiddenGreen;
        if (x == 8 && y == 0) return 0x80000000u | PeptoHex(1);  // half transparent white
        return PeptoHex(Fitting(x, y));
    });
    EXPECT_EQ(Converted({}, png).status, 1);
    // The green under the transparent pixels is no colour of the picture: the rest is still pixel
    // art in pepto, and needs no change.
    const Outcome result = Converted(Nearest, png);
    ASSERT_EQ(result.status, 0) << result.message;
    EXPECT_EQ(result.message, "Palette: pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    ASSERT_EQ(result.file.size(), KoalaPrgSize);
    const int background = result.file.back() & 15;  // a Koala file ends with its background
    ASSERT_EQ(result.width, 320);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < (y == 0 ? 10 : 8); ++x)  // the half transparent pixel's pair too
            EXPECT_EQ(result.At(x, y), PeptoColour(background)) << x << "," << y;
    }
    for (int y = 8; y < 200; y += 5) {
        for (int x = 16; x < 320; x += 6) EXPECT_EQ(result.At(x, y), PeptoColour(Fitting(x, y))) << x << "," << y;
    }
}

}  // namespace
}  // namespace pxm::test

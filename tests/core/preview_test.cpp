#include "core/view/preview.h"

#include <gtest/gtest.h>

#include "core/koala/koalize.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// A koalized picture shows exactly the colours it was made of, each pixel twice as wide.
TEST(Preview, ShowsTheKoalizedPictureInThePalette) {
    auto canvas = test::FilledCanvas(6);
    test::Random random(7);
    for (int cell = 0; cell < CellCount; ++cell) {
        const std::array<std::uint8_t, 3> own{static_cast<std::uint8_t>(random.below(16)),
                                              static_cast<std::uint8_t>(random.below(16)),
                                              static_cast<std::uint8_t>(random.below(16))};
        for (int k = 0; k < 8; ++k) {
            for (int p = 0; p < 4; ++p) {
                const int pick = random.below(4);
                test::CellPixel(*canvas, cell, k, p) = pick == 3 ? 6 : own[static_cast<std::size_t>(pick)];
            }
        }
    }
    auto image = std::make_unique<KoalaImage>();
    ASSERT_TRUE(KoalizeMulticolour(*canvas, *image, 6).ok());
    for (const std::size_t p : {std::size_t{0}, DefaultPalette, C64Palettes.size() - 1}) {
        const C64Palette& palette = C64Palettes[p];
        SCOPED_TRACE(palette.name);
        auto pixels = std::make_unique<PreviewPixels>();
        RenderPreview(*image, palette, *pixels);
        for (int y = 0; y < PreviewHeight; ++y) {
            for (int x = 0; x < PreviewWidth; ++x) {
                const Rgb expected = palette.colours[(*canvas)[CanvasIndex(x / 2, y)]];
                ASSERT_EQ((*pixels)[static_cast<std::size_t>(y * PreviewWidth + x)], expected) << x << "," << y;
            }
        }
    }
}

// Each bit pair takes its colour from where the VIC-II reads it; the nibbles above 15 are not
// colour bits.
TEST(Preview, DecodesTheFourBitPairs) {
    auto image = test::FilledImage(0);
    (*image)[KoalaBitmapOffset + 8 * 41 + 2] = test::Pairs(0, 1, 2, 3);
    (*image)[KoalaScreenOffset + 41] = 0x2E;
    (*image)[KoalaColourOffset + 41] = 0xF7;
    (*image)[KoalaBackgroundOffset] = 0x13;
    const C64Palette& palette = C64Palettes[DefaultPalette];
    auto pixels = std::make_unique<PreviewPixels>();
    RenderPreview(*image, palette, *pixels);
    const std::size_t row = static_cast<std::size_t>(8 + 2) * PreviewWidth + 8;
    const std::array<int, 4> expected{3, 2, 14, 7};
    for (std::size_t p = 0; p < 4; ++p) {
        SCOPED_TRACE("pair " + std::to_string(p));
        EXPECT_EQ((*pixels)[row + 2 * p], palette.colours[static_cast<std::size_t>(expected[p])]);
        EXPECT_EQ((*pixels)[row + 2 * p + 1], palette.colours[static_cast<std::size_t>(expected[p])]);
    }
}

}  // namespace
}  // namespace pxm

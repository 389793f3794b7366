// The picture as a 16-colour BMP: its header and palette as BMP readers take them, and the round
// trip through the Windows program's BMP reader and koalizer to the same Koala picture.
#include <gtest/gtest.h>

#include "core/base/byte_reader.h"
#include "core/import/bmp_reader.h"
#include "core/koala/koalize_step.h"
#include "core/view/picture_bmp.h"
#include "core/view/shown_colours.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// A koalized picture: background 0 and three colours a cell, changing from cell to cell.
std::unique_ptr<KoalaImage> KoalizedPicture() {
    auto canvas = std::make_unique<Canvas>();
    for (int x = 0; x < CanvasColumns; ++x)
        for (int y = 0; y < CanvasRows; ++y) {
            const int k = (x + 3 * y) % 4;
            (*canvas)[CanvasIndex(x, y)] = static_cast<std::uint8_t>(k == 0 ? 0 : 1 + (x / 4 + y / 8 + 5 * k) % 15);
        }
    auto image = std::make_unique<KoalaImage>();
    EXPECT_TRUE(Koalize(*canvas, *image, PaletteMode::Multicolour, BackgroundChoice{0}).ok());
    return image;
}

TEST(PictureBmp, HoldsA16ColourPictureInTheChosenPalette) {
    const auto image = KoalizedPicture();
    const C64Palette& palette = C64Palettes[DefaultPalette];
    const std::vector<std::uint8_t> bmp = BuildPictureBmp(*image, palette);
    ASSERT_EQ(bmp.size(), 54u + 64u + 160u * 200u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(LongAt(bmp, 2), bmp.size());
    EXPECT_EQ(LongAt(bmp, 10), 54u + 64u);
    EXPECT_EQ(LongAt(bmp, 18), 320u);
    EXPECT_EQ(LongAt(bmp, 22), 200u);
    EXPECT_EQ(WordAt(bmp, 28), 4u);
    EXPECT_EQ(LongAt(bmp, 46), 16u);
    for (std::size_t c = 0; c < 16; ++c) {
        EXPECT_EQ(bmp[54 + 4 * c], palette.colours[c].b);
        EXPECT_EQ(bmp[54 + 4 * c + 1], palette.colours[c].g);
        EXPECT_EQ(bmp[54 + 4 * c + 2], palette.colours[c].r);
    }
    // The last row of the file is the picture's top row; its first pixel shows cell 0's colour.
    const std::size_t topRow = 54 + 64 + 160 * 199;
    EXPECT_EQ(bmp[topRow] >> 4, test::ShownColour(*image, 0, 0));
    EXPECT_EQ(bmp[topRow] & 15, test::ShownColour(*image, 0, 0));
}

TEST(PictureBmp, TheWindowsProgramKoalizesItBackToTheSamePicture) {
    const auto image = KoalizedPicture();
    const std::vector<std::uint8_t> bmp = BuildPictureBmp(*image, C64Palettes[0]);
    auto canvas = std::make_unique<Canvas>();
    ASSERT_TRUE(ReadBmp(bmp, *canvas).ok());
    auto again = std::make_unique<KoalaImage>();
    ASSERT_TRUE(Koalize(*canvas, *again, PaletteMode::Multicolour, BackgroundChoice{0}).ok());
    EXPECT_TRUE(*again == *image);
}

TEST(ColoursUsed, CountsTheColoursPixelsShow) {
    auto image = test::FilledImage(0);
    image->at(KoalaScreenOffset) = 0x5A;  // colours 5 and 10 in cell 0, not shown yet
    image->at(KoalaColourOffset + 1) = 0x27;
    image->at(KoalaBitmapOffset + 8) = test::Pairs(3, 0, 0, 0);  // colour memory of cell 1: 7
    image->at(KoalaBackgroundOffset) = 6;
    const std::bitset<16> used = ColoursUsed(*image);
    EXPECT_EQ(used.count(), 2u);
    EXPECT_TRUE(used.test(6));
    EXPECT_TRUE(used.test(7));
}

}  // namespace
}  // namespace pxm

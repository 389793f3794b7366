// The clash map's picture: the picture as read, frames on the marked cells' outermost pixels
// only, in a colour the picture does not have.
#include "core/view/clash_map.h"

#include <gtest/gtest.h>

#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

const C64Palette& Pepto() { return C64Palettes[DefaultPalette]; }

TEST(ClashMap, ABmpShowsItsColourNumbersInThePalette) {
    auto canvas = test::FilledCanvas(0);
    for (int column = 0; column < CanvasColumns; ++column) {
        for (int row = 0; row < CanvasRows; ++row)
            (*canvas)[CanvasIndex(column, row)] =
                static_cast<std::uint8_t>((column + 3 * row) % 16 + (row == 7 ? 16 : 0));
    }
    RgbPicture map = PictureAsRead(*canvas, Pepto(), nullptr);
    ASSERT_EQ(map.width, 320);
    ASSERT_EQ(map.height, 200);
    EXPECT_EQ(map.cellsLeft, 0);
    EXPECT_EQ(map.cellsTop, 0);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            // A value above 15 of a 256-colour file shows as the preview shows it: its low four bits.
            ASSERT_EQ(map.At(x, y), Pepto().colours[static_cast<std::size_t>((x / 2 + 3 * y) % 16)]) << x << "," << y;
        }
    }
}

DecodedPicture Decoded(int width, int height) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            picture.rgb.push_back({static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200});
    }
    return picture;
}

TEST(ClashMap, ADecodedFileShowsItsOwnPixels) {
    auto canvas = test::FilledCanvas(0);
    const DecodedPicture small = Decoded(37, 21);
    RgbPicture map = PictureAsRead(*canvas, Pepto(), &small);
    ASSERT_EQ(map.width, 320);
    ASSERT_EQ(map.height, 200);
    EXPECT_EQ(map.At(36, 20), (Rgb{36, 20, 200}));
    EXPECT_EQ(map.At(37, 20), Pepto().colours[0]);  // beyond the picture, as the Canvas has it
    EXPECT_EQ(map.At(0, 21), Pepto().colours[0]);

    const DecodedPicture shot = Decoded(384, 272);
    RgbPicture screenshot = PictureAsRead(*canvas, Pepto(), &shot);
    ASSERT_EQ(screenshot.width, 384);
    ASSERT_EQ(screenshot.height, 272);
    EXPECT_EQ(screenshot.pixels, shot.rgb);
    EXPECT_EQ(screenshot.cellsLeft, 32);
    EXPECT_EQ(screenshot.cellsTop, 35);
}

TEST(ClashMap, FramesStayOnTheMarkedCellsOutermostPixels) {
    auto canvas = test::FilledCanvas(0);
    const DecodedPicture shot = Decoded(384, 272);
    RgbPicture map = PictureAsRead(*canvas, Pepto(), &shot);
    CellSet cells;
    cells[0] = cells[41] = cells[999] = true;  // the first, one inside, the last
    const Rgb frame = UnusedColour(map);
    FrameCells(map, cells, frame);
    for (int y = 0; y < 272; ++y) {
        for (int x = 0; x < 384; ++x) {
            const int cx = (x - 32) / 8;
            const int cy = (y - 35) / 8;
            const bool inCells = x >= 32 && x < 352 && y >= 35 && y < 235;
            const bool marked = inCells && cells[static_cast<std::size_t>(cy * 40 + cx)];
            const bool edge = (x - 32) % 8 == 0 || (x - 32) % 8 == 7 || (y - 35) % 8 == 0 || (y - 35) % 8 == 7;
            ASSERT_EQ(map.At(x, y), marked && edge ? frame : shot.rgb[shot.At(x, y)]) << x << "," << y;
        }
    }
}

TEST(ClashMap, TheFrameColourIsNoneOfThePictures) {
    RgbPicture picture{4, 1, {{255, 0, 255}, {0, 0, 0}, {0, 255, 0}, {1, 2, 3}}};
    EXPECT_EQ(UnusedColour(picture), (Rgb{255, 255, 0}));
    // Every strong colour taken, and the colours after magenta too.
    picture.pixels = {{255, 0, 255}, {0, 255, 0}, {255, 255, 0}, {0, 255, 255}, {255, 0, 0}, {0, 0, 255}};
    picture.width = 6;
    for (int b = 0; b < 256; ++b) picture.pixels.push_back({255, 1, static_cast<std::uint8_t>(b)});
    picture.width += 256;
    picture.pixels.push_back({255, 2, 0});
    ++picture.width;
    EXPECT_EQ(UnusedColour(picture), (Rgb{255, 2, 1}));
}

}  // namespace
}  // namespace pxm

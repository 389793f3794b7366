#include "core/import/picture_area.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

TEST(AcceptedArea, UpTo320x200AtTheTopLeftOrAScreenshotsInnerPicture) {
    struct Case {
        int width, height;
        std::optional<PictureArea> area;
    };
    const std::vector<Case> cases{{320, 200, PictureArea{0, 0, 320, 200}},
                                  {1, 1, PictureArea{0, 0, 1, 1}},
                                  {7, 3, PictureArea{0, 0, 7, 3}},
                                  {384, 272, PictureArea{32, 35, 320, 200}},
                                  {160, 200, PictureArea{0, 0, 160, 200, 1}},
                                  {192, 272, PictureArea{16, 35, 160, 200, 1}},
                                  {160, 199, PictureArea{0, 0, 160, 199}},
                                  {192, 271, std::nullopt},
                                  {321, 200, std::nullopt},
                                  {320, 201, std::nullopt},
                                  {384, 271, std::nullopt},
                                  {383, 272, std::nullopt},
                                  {0, 10, std::nullopt},
                                  {10, 0, std::nullopt},
                                  {-1, 5, std::nullopt},
                                  {403, 284, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const auto area = AcceptedArea(c.width, c.height);
        ASSERT_EQ(area.has_value(), c.area.has_value());
        if (!area) continue;
        EXPECT_EQ(area->left, c.area->left);
        EXPECT_EQ(area->top, c.area->top);
        EXPECT_EQ(area->width, c.area->width);
        EXPECT_EQ(area->height, c.area->height);
        EXPECT_EQ(area->pixelWidth, c.area->pixelWidth);
    }
}

TEST(PlaceOnCanvas, ANarrowPictureHasOnePixelPerCanvasPixel) {
    const PictureArea area{16, 35, 160, 200, 1};
    std::vector<std::uint8_t> numbers;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 160; ++x) numbers.push_back(static_cast<std::uint8_t>((x + y) % 16));
    }
    auto canvas = test::FilledCanvas(0xEE);
    ASSERT_FALSE(PlaceOnCanvas(numbers, area, *canvas).has_value());
    for (int column = 0; column < CanvasColumns; ++column) {
        for (int row = 0; row < CanvasRows; ++row)
            ASSERT_EQ((*canvas)[CanvasIndex(column, row)], (column + row) % 16) << column << "," << row;
    }
}

TEST(PlaceOnCanvas, EveryTwoPixelsOfARowAreOneCanvasPixel) {
    // 7x3: the last pixel of each row stands alone for its pair.
    const PictureArea area{32, 35, 7, 3};
    std::vector<std::uint8_t> numbers;
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) numbers.push_back(static_cast<std::uint8_t>(1 + y * 4 + x / 2));
    }
    auto canvas = test::FilledCanvas(0xEE);
    ASSERT_FALSE(PlaceOnCanvas(numbers, area, *canvas).has_value());
    for (int column = 0; column < CanvasColumns; ++column) {
        for (int row = 0; row < CanvasRows; ++row) {
            const int expected = column < 4 && row < 3 ? 1 + row * 4 + column : 0;
            ASSERT_EQ((*canvas)[CanvasIndex(column, row)], expected) << column << "," << row;
        }
    }
}

TEST(PlaceOnCanvas, TheFirstDifferingPairIsToldAndTheCanvasKept) {
    const PictureArea area{32, 35, 8, 2};
    std::vector<std::uint8_t> numbers(16, 5);
    numbers[8 + 5] = 6;  // row 1, the right pixel of pair 2
    numbers[8 + 6] = 7;  // row 1, the left pixel of pair 3: found later
    auto canvas = test::FilledCanvas(0xEE);
    const auto pair = PlaceOnCanvas(numbers, area, *canvas);
    ASSERT_TRUE(pair.has_value());
    EXPECT_EQ(pair->x, 32 + 4);
    EXPECT_EQ(pair->y, 35 + 1);
    EXPECT_EQ(pair->left, 5);
    EXPECT_EQ(pair->right, 6);
    for (const std::uint8_t v : *canvas) ASSERT_EQ(v, 0xEE);
}

}  // namespace
}  // namespace pxm

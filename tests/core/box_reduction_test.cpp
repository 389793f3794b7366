// Bringing a large picture down by blocks as its rows come: the factors chosen, the means in
// linear light, opacity, edges, rows in any order, and the top left kept as it is.
#include "core/import/box_reduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pxm {
namespace {

// One row of a picture whose pixel (x, y) is colour(x, y), added whole.
template <class Colour>
void AddRow(BoxReduction& reduction, int y, Colour colour) {
    std::vector<LinearPixel> row;
    for (int x = 0; x < reduction.width; ++x) row.push_back(LinearOf(colour(x, y)));
    AddPixels(reduction, y, 0, 1, row);
}

TEST(BoxReduction, FactorsKeepTwiceTheScreenEachWayAndLeaveSmallPicturesWhole) {
    struct Case {
        int width, height;
        BoxFactors factors;
    };
    for (const Case c : {Case{2000, 2000, {1, 1}},      // 4 megapixels: whole
                         Case{320, 200, {1, 1}},
                         Case{4000, 3000, {6, 7}},      // 667 x 429
                         Case{8160, 6120, {12, 15}},    // a phone's 50 megapixels: 680 x 408
                         Case{10000, 10000, {15, 25}},
                         Case{65535, 65535, {102, 163}},
                         Case{65535, 500, {102, 1}},    // a panorama keeps its height
                         Case{1000, 5000, {1, 12}}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const BoxFactors factors = BoxFactorsFor(c.width, c.height);
        EXPECT_EQ(factors, c.factors);
        if (factors == BoxFactors{}) continue;
        const BoxReduction reduction = StartBoxReduction(c.width, c.height, factors);
        EXPECT_LT(reduction.reducedWidth, 2 * MinReducedWidth);
        EXPECT_LT(reduction.reducedHeight, 2 * MinReducedHeight);
        EXPECT_TRUE(factors.x == 1 || reduction.reducedWidth >= MinReducedWidth);
        EXPECT_TRUE(factors.y == 1 || reduction.reducedHeight >= MinReducedHeight);
    }
}

TEST(BoxReduction, FlatBlocksKeepTheirColoursExactlyAndMixedOnesAverageInLinearLight) {
    // 3 x 2 blocks, 7 x 5 pixels: the last column and row of blocks are narrower.
    BoxReduction reduction = StartBoxReduction(7, 5, {3, 2});
    ASSERT_EQ(reduction.reducedWidth, 3);
    ASSERT_EQ(reduction.reducedHeight, 3);
    const auto colour = [](int x, int y) -> Rgb {
        if (x < 3 && y < 2) return (x + y) % 4 == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};  // one white in six
        if (x < 3) return {0x68, 0x37, 0x2B};
        if (x < 6) return {0x70, 0xA4, 0xB2};
        return y == 4 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};  // the last column: one white in two, below
    };
    for (int y = 0; y < 5; ++y) AddRow(reduction, y, colour);
    const DecodedPicture picture = FinishBoxReduction(reduction);
    ASSERT_EQ(picture.width, 3);
    ASSERT_EQ(picture.height, 3);
    // A sixth of white in linear light is sRGB 1.055 * (1/6)^(1/2.4) - 0.055 = 0.4451: level 113.
    EXPECT_EQ(picture.rgb[picture.At(0, 0)], (Rgb{113, 113, 113}));
    EXPECT_EQ(picture.rgb[picture.At(0, 1)], (Rgb{0x68, 0x37, 0x2B}));
    EXPECT_EQ(picture.rgb[picture.At(0, 2)], (Rgb{0x68, 0x37, 0x2B}));  // one row of two
    EXPECT_EQ(picture.rgb[picture.At(1, 0)], (Rgb{0x70, 0xA4, 0xB2}));
    EXPECT_EQ(picture.rgb[picture.At(2, 0)], (Rgb{0, 0, 0}));
    EXPECT_EQ(picture.rgb[picture.At(2, 2)], (Rgb{255, 255, 255}));  // one pixel: (6, 4)
    EXPECT_TRUE(std::ranges::all_of(picture.alpha, [](std::uint8_t a) { return a == 255; }));
}

TEST(BoxReduction, OpacityWeighsTheColoursAndIsAveragedToo) {
    BoxReduction reduction = StartBoxReduction(4, 1, {4, 1});
    // A hidden red, a half transparent blue, two opaque blues: the red shows nowhere.
    const std::vector<LinearPixel> row{LinearOf({255, 0, 0}, 0), LinearOf({0, 0, 200}, 128), LinearOf({0, 0, 200}),
                                       LinearOf({0, 0, 200})};
    AddPixels(reduction, 0, 0, 1, row);
    const DecodedPicture picture = FinishBoxReduction(reduction);
    EXPECT_EQ(picture.rgb[0], (Rgb{0, 0, 200}));
    EXPECT_EQ(picture.alpha[0], 160);  // (0 + 128 + 255 + 255) / 4 = 159.5
    // A block with nothing opaque in it is transparent.
    BoxReduction hidden = StartBoxReduction(2, 2, {2, 2});
    AddRun(hidden, 0, 0, 2, LinearOf({9, 9, 9}, 0));
    AddRun(hidden, 1, 0, 2, LinearOf({9, 9, 9}, 0));
    EXPECT_EQ(FinishBoxReduction(hidden).alpha[0], 0);
}

TEST(BoxReduction, RowsAndColumnsInAnyOrderAndRunsGiveTheSamePicture) {
    const auto colour = [](int x, int y) {
        return Rgb{static_cast<std::uint8_t>(x * 7 + y), static_cast<std::uint8_t>(x * y), static_cast<std::uint8_t>(200 - y)};
    };
    constexpr int Width = 23;
    constexpr int Height = 17;
    BoxReduction inOrder = StartBoxReduction(Width, Height, {4, 3});
    for (int y = 0; y < Height; ++y) AddRow(inOrder, y, colour);
    // As a PNG's seven interlaced passes hand them over: every 8th pixel of every 8th row first.
    struct Pass {
        int firstX, stepX, firstY, stepY;
    };
    BoxReduction passes = StartBoxReduction(Width, Height, {4, 3});
    for (const Pass p : {Pass{0, 8, 0, 8}, {4, 8, 0, 8}, {0, 4, 4, 8}, {2, 4, 0, 4}, {0, 2, 2, 4}, {1, 2, 0, 2}, {0, 1, 1, 2}}) {
        for (int y = p.firstY; y < Height; y += p.stepY) {
            std::vector<LinearPixel> row;
            for (int x = p.firstX; x < Width; x += p.stepX) row.push_back(LinearOf(colour(x, y)));
            AddPixels(passes, y, p.firstX, p.stepX, row);
        }
    }
    BoxReduction runs = StartBoxReduction(Width, Height, {4, 3});
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) AddRun(runs, y, x, 1, LinearOf(colour(x, y)));
    }
    const DecodedPicture expected = FinishBoxReduction(inOrder);
    EXPECT_EQ(FinishBoxReduction(passes).rgb, expected.rgb);
    EXPECT_EQ(FinishBoxReduction(runs).rgb, expected.rgb);
    // A run of one colour across blocks is that colour's pixels each.
    BoxReduction flat = StartBoxReduction(Width, 1, {4, 1});
    AddRun(flat, 0, 0, Width, LinearOf({0x9A, 0xD2, 0x84}));
    const DecodedPicture green = FinishBoxReduction(flat);
    EXPECT_EQ(green.width, 6);
    EXPECT_TRUE(std::ranges::all_of(green.rgb, [](Rgb c) { return c == Rgb{0x9A, 0xD2, 0x84}; }));
}

TEST(BoxReduction, APartIsKeptAsItIsAndTheRestPassedOver) {
    const auto colour = [](int x, int y) { return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 77}; };
    struct Case {
        int left, top;
    };
    for (const Case c : {Case{0, 0}, Case{50, 140}}) {
        BoxReduction reduction = StartPartKept(250, 240, c.left, c.top, 200, 100);
        for (int y = 0; y < 240; ++y) AddRow(reduction, y, colour);
        AddRun(reduction, c.top + 100, 0, 250, LinearOf({1, 2, 3}));  // below what is kept
        AddRun(reduction, c.top, 0, c.left, LinearOf({1, 2, 3}));  // left of it
        AddRun(reduction, c.top, c.left, 0, LinearOf({1, 2, 3}));
        const DecodedPicture picture = FinishBoxReduction(reduction);
        ASSERT_EQ(picture.width, 200);
        ASSERT_EQ(picture.height, 100);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(picture.rgb[picture.At(x, y)], colour(c.left + x, c.top + y)) << x << "," << y;
        }
    }
    // Smaller than what would be kept: all of it.
    const BoxReduction small = StartPartKept(30, 20, 0, 0, 320, 200);
    EXPECT_EQ(small.reducedWidth, 30);
    EXPECT_EQ(small.reducedHeight, 20);
}

}  // namespace
}  // namespace pxm

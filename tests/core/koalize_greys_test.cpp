#include <gtest/gtest.h>

#include <vector>

#include "core/koala/koalize.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using test::Pairs;
using test::PixelRow;

using Koalizer = KoalizeOutcome (*)(const Canvas&, KoalaImage&);

struct GreyMode {
    const char* name;
    Koalizer run;
};

std::string CaseName(const GreyMode& mode) { return mode.name; }
void PrintTo(const GreyMode& mode, std::ostream* os) { *os << CaseName(mode); }

class BothGreyModes : public ::testing::TestWithParam<GreyMode> {};

TEST_P(BothGreyModes, BlackPictureGivesTheFixedGreys) {
    auto canvas = test::FilledCanvas(0);
    auto image = test::FilledImage(0xAA);
    ASSERT_TRUE(GetParam().run(*canvas, *image).ok());
    for (std::size_t i = 0; i < KoalaScreenOffset; ++i) ASSERT_EQ((*image)[i], 0) << i;
    for (int cell = 0; cell < CellCount; ++cell) {
        ASSERT_EQ(test::ScreenByte(*image, cell), 188) << cell;
        ASSERT_EQ(test::ColourByte(*image, cell), 15) << cell;
    }
    EXPECT_EQ((*image)[KoalaBackgroundOffset], 0);
}

TEST_P(BothGreyModes, GreyLevelsHaveFixedPairs) {
    auto canvas = test::FilledCanvas(0);
    test::SetCellRow(*canvas, 0, 0, {15, 12, 11, 0});
    test::SetCellRow(*canvas, 999, 7, {0, 11, 15, 12});
    auto image = test::FilledImage(0xAA);
    ASSERT_TRUE(GetParam().run(*canvas, *image).ok());
    EXPECT_EQ(test::BitmapByte(*image, 0, 0), 0xE4);
    EXPECT_EQ(test::BitmapByte(*image, 999, 7), Pairs(0, 1, 3, 2));
}

// The first offending pixel in cell order: cell 41 before 42, pixel row 3 before 4, pixel 2
// before 3; column-major or row-major scans of the Canvas would find another one first.
std::unique_ptr<Canvas> ForeignPixels(std::uint8_t foreign) {
    auto canvas = test::FilledCanvas(0);
    test::SetCellRow(*canvas, 0, 0, {15, 12, 11, 0});
    test::SetCellRow(*canvas, 41, 3, {11, 12, foreign, foreign});
    test::SetCellRow(*canvas, 41, 4, {foreign, 0, 0, 0});
    test::SetCellRow(*canvas, 42, 0, {foreign, 0, 0, 0});
    return canvas;
}

TEST_P(BothGreyModes, ForeignColourStopsAtTheFirstOffendingPixel) {
    for (const std::uint8_t foreign : {5, 16, 200}) {
        SCOPED_TRACE("foreign colour " + std::to_string(foreign));
        const auto canvas = ForeignPixels(foreign);
        auto image = test::FilledImage(0xAA);
        const KoalizeOutcome result = GetParam().run(*canvas, *image);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.failedCell, 41);
        EXPECT_EQ(result.pixelColumn, 6);
        EXPECT_EQ(result.pixelRow, 11);
        // Complete pixel rows before the pixel are written, nothing after it.
        EXPECT_EQ(test::BitmapByte(*image, 0, 0), 0xE4);
        EXPECT_EQ(test::BitmapByte(*image, 40, 7), 0);
        EXPECT_EQ(test::BitmapByte(*image, 41, 2), 0);
        EXPECT_EQ(test::BitmapByte(*image, 41, 3), 0xAA);
        EXPECT_EQ(test::BitmapByte(*image, 41, 4), 0xAA);
        EXPECT_EQ(test::ScreenByte(*image, 41), 0xAA);
        EXPECT_EQ(test::ColourByte(*image, 41), 0xAA);
        EXPECT_EQ((*image)[KoalaBackgroundOffset], 0xAA);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, BothGreyModes,
                         ::testing::Values(GreyMode{"Four", KoalizeFourGreys}, GreyMode{"Five", KoalizeFiveGreys}),
                         test::CaseNames{});

TEST(KoalizeFourGreys, FailureTouchesNoScreenOrColourByte) {
    const auto canvas = ForeignPixels(1);  // white is foreign to four greys
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeFourGreys(*canvas, *image);
    EXPECT_EQ(result.failure, KoalizeFailure::NotFourGreys);
    EXPECT_EQ(result.pixelColumn, 6);
    EXPECT_EQ(result.pixelRow, 11);
    for (std::size_t i = KoalaScreenOffset; i < KoalaImageSize; ++i) ASSERT_EQ((*image)[i], 0xAA) << i;
}

TEST(KoalizeFiveGreys, ForeignColourKeepsTheEarlierCells) {
    const auto canvas = ForeignPixels(5);
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeFiveGreys(*canvas, *image);
    EXPECT_EQ(result.failure, KoalizeFailure::NotFiveGreys);
    EXPECT_EQ(test::ScreenByte(*image, 40), 188);
    EXPECT_EQ(test::ColourByte(*image, 40), 15);
}

TEST(KoalizeGreys, PictureWithoutWhiteIsTheSameInBothModes) {
    test::Random random(99);
    auto canvas = test::FilledCanvas(0);
    constexpr std::uint8_t Greys[] = {0, 11, 12, 15};
    for (auto& pixel : *canvas) pixel = Greys[random.below(4)];
    auto four = test::FilledImage(0x11);
    auto five = test::FilledImage(0x22);
    ASSERT_TRUE(KoalizeFourGreys(*canvas, *four).ok());
    const KoalizeOutcome result = KoalizeFiveGreys(*canvas, *five);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(*four == *five);
    for (int x = 0; x < CanvasColumns; ++x)
        for (int y = 0; y < CanvasRows; ++y) ASSERT_EQ(test::ShownColour(*four, x, y), (*canvas)[CanvasIndex(x, y)]) << x << "," << y;
}

struct WhiteCase {
    const char* name;
    PixelRow row0, row1;
    std::uint8_t bitmap0, screen, colour;
};

std::string CaseName(const WhiteCase& c) { return c.name; }
void PrintTo(const WhiteCase& c, std::ostream* os) { *os << CaseName(c); }

class FiveGreyWhite : public ::testing::TestWithParam<WhiteCase> {};

// White takes the first slot whose grey the cell lacks; the next cell starts afresh.
TEST_P(FiveGreyWhite, TakesTheFirstFreeSlot) {
    const WhiteCase& c = GetParam();
    auto canvas = test::FilledCanvas(0);
    test::SetCellRow(*canvas, 41, 0, c.row0);
    test::SetCellRow(*canvas, 41, 1, c.row1);
    test::SetCellRow(*canvas, 42, 0, {11, 12, 15, 0});
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeFiveGreys(*canvas, *image);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(test::BitmapByte(*image, 41, 0), c.bitmap0);
    EXPECT_EQ(test::ScreenByte(*image, 41), c.screen);
    EXPECT_EQ(test::ColourByte(*image, 41), c.colour);
    EXPECT_EQ(test::BitmapByte(*image, 42, 0), Pairs(1, 2, 3, 0));
    EXPECT_EQ(test::ScreenByte(*image, 42), 188);
    EXPECT_EQ(test::ColourByte(*image, 42), 15);
    EXPECT_EQ((*image)[KoalaBackgroundOffset], 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, FiveGreyWhite,
    ::testing::Values(WhiteCase{"BlackAndWhite", {1, 0, 1, 0}, {}, Pairs(1, 0, 1, 0), 28, 15},
                      WhiteCase{"DarkGrey", {1, 11, 0, 1}, {}, Pairs(2, 1, 0, 2), 177, 15},
                      WhiteCase{"DarkAndMediumGrey", {1, 11, 12, 0}, {}, Pairs(3, 1, 2, 0), 188, 1},
                      WhiteCase{"MediumGreyOnly", {12, 1, 0, 0}, {}, Pairs(2, 1, 0, 0), 28, 15},
                      WhiteCase{"DarkAndLightGrey", {15, 1, 11, 0}, {}, Pairs(3, 2, 1, 0), 177, 15},
                      WhiteCase{"WhiteLaterInTheCell", {12, 15, 0, 0}, {0, 0, 0, 1}, Pairs(2, 3, 0, 0), 28, 15}),
    test::CaseNames{});

TEST(KoalizeFiveGreys, WhiteWithAllThreeGreysFailsBeforeAnyForeignColour) {
    for (const std::uint8_t extra : {0, 5, 200}) {
        SCOPED_TRACE("extra colour " + std::to_string(extra));
        auto canvas = test::FilledCanvas(0);
        test::SetCellRow(*canvas, 1, 0, {1, 0, 0, 0});
        test::SetCellRow(*canvas, 41, 0, {extra, 11, 12, 0});
        test::SetCellRow(*canvas, 41, 6, {15, 0, 0, 1});
        auto image = test::FilledImage(0xAA);
        const KoalizeOutcome result = KoalizeFiveGreys(*canvas, *image);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.failure, KoalizeFailure::WhiteWithAllGreys);
        EXPECT_EQ(result.failedCell, 41);
        EXPECT_EQ(test::ScreenByte(*image, 1), 28);
        EXPECT_EQ(test::ScreenByte(*image, 40), 188);
        for (int k = 0; k < 8; ++k) EXPECT_EQ(test::BitmapByte(*image, 41, k), 0xAA) << k;
        EXPECT_EQ(test::ScreenByte(*image, 41), 0xAA);
        EXPECT_EQ((*image)[KoalaBackgroundOffset], 0xAA);
    }
}

}  // namespace
}  // namespace pxm

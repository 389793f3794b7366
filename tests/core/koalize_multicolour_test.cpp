#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "core/koala/clashing_cells.h"
#include "core/koala/koalize.h"
#include "core/koala/koalize_step.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using test::Pairs;
using test::PixelRow;

struct CellCase {
    int cell;
    PixelRow row0, row7;  // rows 1..6 hold the background
    std::uint8_t bitmap0, bitmap7, screen, colour;
};

// Consecutive cells, each starting from the slots the one before left behind (background 0).
const std::vector<CellCase> SlotChain = {
    // 7, 2, 5 in pixel order: slots (7, 2, 5) sorted to (2, 5, 7).
    {0, {7, 2, 0, 5}, {5, 5, 2, 7}, 0xD2, Pairs(2, 2, 1, 3), 0x25, 7},
    // Only the background: slots stay (2, 5, 7).
    {1, {0, 0, 0, 0}, {0, 0, 0, 0}, 0x00, 0x00, 0x25, 7},
    // 5 and 7 keep their slots; the sort compares 2 with 5 and leaves them.
    {2, {5, 7, 0, 0}, {0, 0, 7, 5}, Pairs(2, 3, 0, 0), Pairs(0, 0, 3, 2), 0x25, 7},
    // Only 6: it takes the first slot, (6, 5, 7).
    {3, {6, 6, 6, 6}, {6, 0, 6, 0}, 0x55, Pairs(1, 0, 1, 0), 0x65, 7},
    // 5 and 7 after (6, 5, 7): positions 1 and 2 swap to (5, 6, 7).
    {4, {5, 7, 0, 5}, {7, 7, 7, 7}, Pairs(1, 3, 0, 1), 0xFF, 0x56, 7},
    // 2, 5, 7 after (5, 6, 7): 2 replaces 6, the sort gives (2, 5, 7); background stays 00.
    {5, {2, 5, 7, 0}, {0, 7, 5, 2}, Pairs(1, 2, 3, 0), Pairs(0, 3, 2, 1), 0x25, 7},
    // 7 and 9 after (2, 5, 7): 9 goes to slot 1, the sort over two positions gives (5, 9, 7).
    {6, {9, 7, 0, 9}, {7, 0, 0, 0}, Pairs(2, 3, 0, 2), Pairs(3, 0, 0, 0), 0x59, 7},
};

void PaintCase(Canvas& canvas, const CellCase& c) {
    test::SetCellRow(canvas, c.cell, 0, c.row0);
    test::SetCellRow(canvas, c.cell, 7, c.row7);
}

void ExpectCell(const KoalaImage& image, const CellCase& c) {
    SCOPED_TRACE("cell " + std::to_string(c.cell));
    EXPECT_EQ(test::BitmapByte(image, c.cell, 0), c.bitmap0);
    for (int k = 1; k < 7; ++k) EXPECT_EQ(test::BitmapByte(image, c.cell, k), 0) << "row " << k;
    EXPECT_EQ(test::BitmapByte(image, c.cell, 7), c.bitmap7);
    EXPECT_EQ(test::ScreenByte(image, c.cell), c.screen);
    EXPECT_EQ(test::ColourByte(image, c.cell), c.colour);
}

TEST(KoalizeMulticolour, SlotsCarryOverFromCellToCell) {
    auto canvas = test::FilledCanvas(0);
    for (const CellCase& c : SlotChain) PaintCase(*canvas, c);
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeMulticolour(*canvas, *image, 0);
    ASSERT_TRUE(result.ok());
    for (const CellCase& c : SlotChain) ExpectCell(*image, c);
    // Every later cell holds only the background and inherits (5, 9, 7).
    for (const int cell : {7, 40, 999}) ExpectCell(*image, {cell, {}, {}, 0, 0, 0x59, 7});
    EXPECT_EQ((*image)[KoalaBackgroundOffset], 0);
}

TEST(KoalizeMulticolour, BackgroundOnlyPictureGivesZeroCells) {
    for (const std::uint8_t background : {0, 6, 15}) {
        SCOPED_TRACE("background " + std::to_string(background));
        auto canvas = test::FilledCanvas(background);
        auto image = test::FilledImage(0xAA);
        ASSERT_TRUE(KoalizeMulticolour(*canvas, *image, background).ok());
        for (std::size_t i = 0; i < KoalaBackgroundOffset; ++i) ASSERT_EQ((*image)[i], 0) << "offset " << i;
        EXPECT_EQ((*image)[KoalaBackgroundOffset], background);
    }
}

TEST(KoalizeMulticolour, BackgroundPixelsAreAlways00) {
    auto canvas = test::FilledCanvas(9);
    test::SetCellRow(*canvas, 0, 0, {1, 9, 2, 3});
    auto image = test::FilledImage(0xAA);
    ASSERT_TRUE(KoalizeMulticolour(*canvas, *image, 9).ok());
    EXPECT_EQ(test::BitmapByte(*image, 0, 0), Pairs(1, 0, 2, 3));
    EXPECT_EQ(test::ScreenByte(*image, 0), 0x12);
    EXPECT_EQ(test::ColourByte(*image, 0), 3);
    EXPECT_EQ(test::BitmapByte(*image, 0, 1), 0);
}

TEST(KoalizeMulticolour, FourColoursBesidesTheBackgroundStopTheRun) {
    auto canvas = test::FilledCanvas(0);
    test::SetCellRow(*canvas, 0, 0, {1, 2, 0, 0});
    test::SetCellRow(*canvas, 41, 3, {1, 2, 3, 4});
    test::SetCellRow(*canvas, 42, 0, {5, 6, 7, 8});
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeMulticolour(*canvas, *image, 0);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failedCell, 41);
    EXPECT_EQ(test::BitmapByte(*image, 0, 0), Pairs(1, 2, 0, 0));
    EXPECT_EQ(test::ScreenByte(*image, 0), 0x12);
    EXPECT_EQ(test::ScreenByte(*image, 40), 0x12);
    EXPECT_EQ(test::ColourByte(*image, 40), 0);
    EXPECT_EQ(test::BitmapByte(*image, 40, 7), 0);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(test::BitmapByte(*image, 41, k), 0xAA) << "row " << k;
    EXPECT_EQ(test::ScreenByte(*image, 41), 0xAA);
    EXPECT_EQ(test::ColourByte(*image, 41), 0xAA);
    EXPECT_EQ(test::BitmapByte(*image, 42, 0), 0xAA);
    EXPECT_EQ((*image)[KoalaBackgroundOffset], 0xAA);
}

struct WideCase {
    const char* name;
    std::vector<PixelRow> rows;  // rows 0.. of cell 0, the rest background 0
    bool ok;
    std::uint8_t bitmap0, screen, colour;
};

std::string CaseName(const WideCase& c) { return c.name; }
void PrintTo(const WideCase& c, std::ostream* os) { *os << CaseName(c); }

class KoalizeWideValues : public ::testing::TestWithParam<WideCase> {};

// Values above 15 are colours of their own but are written with their low 4 bits; 16 is also
// the starting colour of every slot.
TEST_P(KoalizeWideValues, FirstCell) {
    auto canvas = test::FilledCanvas(0);
    for (std::size_t k = 0; k < GetParam().rows.size(); ++k) test::SetCellRow(*canvas, 0, static_cast<int>(k), GetParam().rows[k]);
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = KoalizeMulticolour(*canvas, *image, 0);
    ASSERT_EQ(result.ok(), GetParam().ok);
    if (!result.ok()) {
        EXPECT_EQ(result.failedCell, 0);
        EXPECT_EQ(test::BitmapByte(*image, 0, 0), 0xAA);
        return;
    }
    EXPECT_EQ(test::BitmapByte(*image, 0, 0), GetParam().bitmap0);
    EXPECT_EQ(test::ScreenByte(*image, 0), GetParam().screen);
    EXPECT_EQ(test::ColourByte(*image, 0), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Values, KoalizeWideValues,
    ::testing::Values(
        // 17 then 1: slots (17, 1, 16) sorted to (1, 17, 16); both show as colour 1.
        WideCase{"SeventeenAndOne", {{17, 1, 0, 0}}, true, Pairs(2, 1, 0, 0), 0x11, 0},
        // Three pixels of 16 mark all three starting slots.
        WideCase{"ThreeSixteens", {{16, 0, 16, 16}}, true, Pairs(1, 0, 1, 1), 0x00, 0},
        WideCase{"ThreeSixteensAndMore", {{16, 16, 16, 0}, {3, 0, 0, 0}}, false, 0, 0, 0},
        // Two 16s take slots 1 and 2, 5 goes into slot 3; the sort gives (5, 16, 16).
        WideCase{"TwoSixteensAndFive", {{16, 16, 5, 0}}, true, Pairs(2, 2, 1, 0), 0x50, 0}),
    test::CaseNames{});

// A picture with at most three colours besides the background in every cell.
std::unique_ptr<Canvas> FittingPicture(std::uint32_t seed, std::uint8_t background) {
    test::Random random(seed);
    auto canvas = test::FilledCanvas(background);
    for (int cell = 0; cell < CellCount; ++cell) {
        const std::array<std::uint8_t, 4> palette = {background, static_cast<std::uint8_t>(random.below(16)),
                                                     static_cast<std::uint8_t>(random.below(16)),
                                                     static_cast<std::uint8_t>(random.below(16))};
        for (int k = 0; k < 8; ++k)
            for (int p = 0; p < 4; ++p) test::CellPixel(*canvas, cell, k, p) = palette[static_cast<std::size_t>(random.below(4))];
    }
    return canvas;
}

TEST(KoalizeMulticolour, FittingPictureShowsEveryPixelAndRepeatsExactly) {
    for (const std::uint8_t background : {0, 11}) {
        SCOPED_TRACE("background " + std::to_string(background));
        const auto canvas = FittingPicture(1234u + background, background);
        auto first = test::FilledImage(0);
        ASSERT_TRUE(KoalizeMulticolour(*canvas, *first, background).ok());
        for (int x = 0; x < CanvasColumns; ++x)
            for (int y = 0; y < CanvasRows; ++y)
                ASSERT_EQ(test::ShownColour(*first, x, y), (*canvas)[CanvasIndex(x, y)]) << x << "," << y;
        for (int cell = 0; cell < CellCount; ++cell) ASSERT_EQ(test::ColourByte(*first, cell) & 0xF0, 0) << "cell " << cell;
        // Another run in between must not leak into the next one.
        auto again = test::FilledImage(0x55);
        KoalizeMulticolour(*canvas, *again, static_cast<std::uint8_t>(background ^ 1));
        ASSERT_TRUE(KoalizeMulticolour(*canvas, *again, background).ok());
        EXPECT_TRUE(*again == *first);
    }
}

// Cells whose colours fit only some backgrounds; the rest of the picture is `rest`.
std::unique_ptr<Canvas> CellsWith(std::uint8_t rest, const std::vector<std::pair<int, std::set<std::uint8_t>>>& cells) {
    auto canvas = test::FilledCanvas(rest);
    for (const auto& [cell, colours] : cells) {
        int i = 0;
        for (const std::uint8_t colour : colours) {
            test::CellPixel(*canvas, cell, i / 4, i % 4) = colour;
            ++i;
        }
    }
    return canvas;
}

TEST(AutoBackgroundSearch, ChoosesTheLowestBackgroundThatWorks) {
    struct Case {
        std::unique_ptr<Canvas> canvas;
        std::uint8_t expected;
    };
    Case cases[] = {
        {CellsWith(0, {{0, {0, 6, 1, 2}}, {5, {0, 6, 3, 4}}}), 0},
        {CellsWith(15, {{0, {15, 1, 2, 3}}, {999, {15, 4, 5, 6}}}), 15},
        {CellsWith(6, {{3, {6, 1, 2, 3}}, {500, {6, 4, 5, 7}}}), 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("expected background " + std::to_string(c.expected));
        auto image = test::FilledImage(0xAA);
        const KoalizeOutcome result = AutoBackgroundSearch(*c.canvas, *image);
        ASSERT_TRUE(result.autoBackground.has_value());
        EXPECT_EQ(*result.autoBackground, c.expected);
        EXPECT_EQ((*image)[KoalaBackgroundOffset], c.expected);
        auto direct = test::FilledImage(0);
        ASSERT_TRUE(KoalizeMulticolour(*c.canvas, *direct, c.expected).ok());
        EXPECT_TRUE(*direct == *image);
    }
}

TEST(AutoBackgroundSearch, NoneWorks) {
    // Cell 0 (1, 2, 3, 4) fits backgrounds 1..4 only; cell 5 fits none.
    const auto canvas = CellsWith(1, {{0, {2, 3, 4}}, {5, {5, 6, 7, 8, 9}}});
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome result = AutoBackgroundSearch(*canvas, *image);
    EXPECT_FALSE(result.autoBackground.has_value());
    EXPECT_EQ(result.failedBackground, 1);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failedCell, 5);
}

// Cells whose every pixel is one of the colours given; the other cells hold 0.
std::unique_ptr<Canvas> PaintedCells(const std::vector<std::pair<int, std::vector<std::uint8_t>>>& cells) {
    auto canvas = test::FilledCanvas(0);
    for (const auto& [cell, colours] : cells) {
        for (int i = 0; i < 32; ++i) test::CellPixel(*canvas, cell, i / 4, i % 4) = colours[static_cast<std::size_t>(i) % colours.size()];
    }
    return canvas;
}

// Cell 0 fails under every background but 1-4, cells 10-12 under every background but 5-8.
std::unique_ptr<Canvas> FewestAgainstFurthest() {
    return PaintedCells({{0, {1, 2, 3, 4}}, {10, {5, 6, 7, 8}}, {11, {5, 6, 7, 8}}, {12, {5, 6, 7, 8}}});
}

// Under AUTO the refusal's cells are those of the background that leaves the fewest failing, not
// of the one whose run got furthest (background 1 fails first at cell 10, but three cells fail
// with it).
TEST(FindClashes, NoBackgroundWorksTakesTheFewestFailingCells) {
    const auto canvas = FewestAgainstFurthest();
    const std::array<int, 16> failing{4, 3, 3, 3, 3, 1, 1, 1, 1, 4, 4, 4, 4, 4, 4, 4};
    for (std::size_t b = 0; b < failing.size(); ++b)
        EXPECT_EQ(CellsThatFail(*canvas, static_cast<std::uint8_t>(b)).count(), static_cast<std::size_t>(failing[b])) << b;
    const Clashes fewest = FindClashes(*canvas, PaletteMode::Multicolour, AutoBackground);
    EXPECT_EQ(fewest.background, 5);
    EXPECT_EQ(fewest.cells.count(), 1u);
    EXPECT_TRUE(fewest.cells[0]);
    auto image = test::FilledImage(0xAA);
    const KoalizeOutcome fixed = Koalize(*canvas, *image, PaletteMode::Multicolour, BackgroundChoice{1});
    EXPECT_EQ(fixed.failure, KoalizeFailure::BackgroundDoesNotFit);
    EXPECT_EQ(fixed.failedCell, 10);
}

}  // namespace
}  // namespace pxm

// Every cell a koalization cannot make, checked against a count of each cell's colours made
// here from the painting itself, and against where the koalizers stop.
#include "core/koala/clashing_cells.h"

#include <gtest/gtest.h>

#include <set>

#include "core/koala/koalize.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// Colour number of Canvas column, row: cells whose number is a multiple of 7 hold five colours
// (1-5), multiples of 11 four (0, 6, 7, 8), every other one two (0 and 9 + its row % 6).
int Painting(int column, int row) {
    const int cell = row / 8 * CellColumns + column / 4;
    const int pixel = column % 4 + row % 8;
    if (cell % 7 == 0) return 1 + pixel % 5;
    if (cell % 11 == 0) return std::array{0, 6, 7, 8}[static_cast<std::size_t>(pixel % 4)];
    return pixel % 2 == 0 ? 0 : 9 + (row / 8) % 6;
}

std::unique_ptr<Canvas> Painted(const std::function<int(int, int)>& paint) {
    auto canvas = std::make_unique<Canvas>();
    for (int column = 0; column < CanvasColumns; ++column) {
        for (int row = 0; row < CanvasRows; ++row)
            (*canvas)[CanvasIndex(column, row)] = static_cast<std::uint8_t>(paint(column, row));
    }
    return canvas;
}

// The cells holding more than three colours besides the background, counted from the painting.
CellSet Crowded(const std::function<int(int, int)>& paint, int background) {
    CellSet cells;
    for (int cell = 0; cell < CellCount; ++cell) {
        std::set<int> colours;
        for (int p = 0; p < 4; ++p) {
            for (int k = 0; k < 8; ++k) colours.insert(paint(test::CellColumn(cell, p), test::CellRow(cell, k)));
        }
        colours.erase(background);
        cells[static_cast<std::size_t>(cell)] = colours.size() > 3;
    }
    return cells;
}

int FirstOf(const CellSet& cells) {
    for (int cell = 0; cell < CellCount; ++cell) {
        if (cells[static_cast<std::size_t>(cell)]) return cell;
    }
    return -1;
}

TEST(ClashingCells, UnderAChosenBackgroundEveryCellOfTooManyColours) {
    const auto canvas = Painted(Painting);
    auto image = test::FilledImage(0);
    for (int background = 0; background < 16; ++background) {
        SCOPED_TRACE(background);
        const Clashes clashes = FindClashes(*canvas, PaletteMode::Multicolour, BackgroundChoice{background});
        EXPECT_EQ(clashes.background, background);
        EXPECT_EQ(clashes.cells, Crowded(Painting, background));
        // The first is where the koalizer stops.
        const KoalizeOutcome run = KoalizeMulticolour(*canvas, *image, static_cast<std::uint8_t>(background));
        EXPECT_EQ(run.ok() ? -1 : run.failedCell, FirstOf(clashes.cells));
    }
}

TEST(ClashingCells, AutoTakesTheBackgroundThatLeavesTheFewest) {
    // Five-colour cells fail under any background, four-colour ones (0, 6, 7, 8) under all but
    // those four: 0 leaves the fewest, as do 6, 7 and 8; the lowest is taken.
    const auto canvas = Painted(Painting);
    const Clashes automatic = FindClashes(*canvas, PaletteMode::Multicolour, AutoBackground);
    EXPECT_EQ(automatic.background, 0);
    EXPECT_EQ(automatic.cells, Crowded(Painting, 0));
    EXPECT_EQ(automatic.cells.count(), 143u);  // 1000 / 7, rounded up

    // With 13 in place of 0, only 6, 7, 8 and 13 free the four-colour cells: 6 is the lowest.
    const auto six = [](int column, int row) { return Painting(column, row) == 0 ? 13 : Painting(column, row); };
    const Clashes fewest = FindClashes(*Painted(six), PaletteMode::Multicolour, AutoBackground);
    EXPECT_EQ(fewest.background, 6);
    EXPECT_EQ(fewest.cells, Crowded(six, 6));

    // A picture that koalizes leaves none, under the background AUTO picks.
    const auto fits = [](int column, int row) { return (column + row) % 3 == 0 ? 5 : 1 + (column / 4) % 3; };
    const Clashes none = FindClashes(*Painted(fits), PaletteMode::Multicolour, AutoBackground);
    EXPECT_TRUE(none.cells.none());
    auto image = test::FilledImage(0);
    EXPECT_EQ(none.background, AutoBackgroundSearch(*Painted(fits), *image).autoBackground);
}

TEST(ClashingCells, AValueAbove15CountsAsTheKoalizerCountsIt) {
    // Colour 16 of a 256-colour file stands in the free slots at the start: cell 0 of 16, 5 and 7
    // fails although it holds three colours; once a cell has taken the slots, the same cell fits.
    auto canvas = test::FilledCanvas(0);
    const auto paintCell = [&](int cell) {
        for (int k = 0; k < 8; ++k) test::SetCellRow(*canvas, cell, k, {16, 16, 5, 7});
    };
    paintCell(0);
    for (int k = 0; k < 8; ++k) test::SetCellRow(*canvas, 1, k, {2, 3, 4, 0});
    paintCell(2);
    const Clashes clashes = FindClashes(*canvas, PaletteMode::Multicolour, BackgroundChoice{0});
    CellSet expected;
    expected[0] = true;
    EXPECT_EQ(clashes.cells, expected);
    auto image = test::FilledImage(0);
    EXPECT_EQ(KoalizeMulticolour(*canvas, *image, 0).failedCell, 0);
}

TEST(ClashingCells, GreyModesMarkCellsOfColoursTheyCannotShow) {
    auto canvas = test::FilledCanvas(11);
    test::FillCell(*canvas, 3, 0);
    test::SetCellRow(*canvas, 5, 2, {0, 12, 15, 5});  // green: in neither mode
    test::SetCellRow(*canvas, 8, 0, {1, 0, 0, 0});    // white with dark grey only
    test::SetCellRow(*canvas, 9, 0, {1, 12, 15, 0});  // white with all three greys
    CellSet fourGreys;
    fourGreys[5] = fourGreys[8] = fourGreys[9] = true;
    EXPECT_EQ(FindClashes(*canvas, PaletteMode::FourGreys, AutoBackground).cells, fourGreys);
    CellSet fiveGreys;
    fiveGreys[5] = fiveGreys[9] = true;
    EXPECT_EQ(FindClashes(*canvas, PaletteMode::FiveGreys, AutoBackground).cells, fiveGreys);
    auto image = test::FilledImage(0);
    EXPECT_EQ(KoalizeFiveGreys(*canvas, *image).failedCell, 5);
}

}  // namespace
}  // namespace pxm

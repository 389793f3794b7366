#include "core/koala/cell_colours.h"

#include <gtest/gtest.h>

#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using test::FilledCanvas;
using test::SetCellRow;

TEST(CellColours, OneColourCell) {
    const auto canvas = FilledCanvas(6);
    EXPECT_EQ(DistinctCellColours(*canvas, 0), (std::vector<std::uint8_t>{6}));
}

TEST(CellColours, AscendingEachOnceAndOnlyFromItsOwnCell) {
    auto canvas = FilledCanvas(0);
    const int cell = 3 * CellColumns + 12;
    SetCellRow(*canvas, cell, 0, {9, 2, 9, 7});
    SetCellRow(*canvas, cell, 7, {5, 200, 2, 0});
    SetCellRow(*canvas, cell + 1, 0, {3, 3, 3, 3});
    SetCellRow(*canvas, cell + CellColumns, 0, {4, 4, 4, 4});
    EXPECT_EQ(DistinctCellColours(*canvas, cell), (std::vector<std::uint8_t>{0, 2, 5, 7, 9, 200}));
}

TEST(CellColours, LastCellCornerPixels) {
    auto canvas = FilledCanvas(1);
    (*canvas)[CanvasIndex(CanvasColumns - 1, CanvasRows - 1)] = 14;
    (*canvas)[CanvasIndex(CanvasColumns - 5, CanvasRows - 1)] = 13;  // the cell to the left
    EXPECT_EQ(DistinctCellColours(*canvas, CellCount - 1), (std::vector<std::uint8_t>{1, 14}));
}

}  // namespace
}  // namespace pxm

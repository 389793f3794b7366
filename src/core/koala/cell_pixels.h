#pragma once
// The 32 pixels of one character cell. Every koalization visits them pixel row by pixel row
// (rows 0-7, four double-wide pixels each); they are held column by column, as the Canvas
// stores them, so that gathering a cell is four 8-byte copies.
#include <array>
#include <cstdint>
#include <cstring>

#include "core/import/canvas.h"
#include "core/koala/koala_image.h"

namespace pxm {

struct CellPixels {
    std::array<std::uint8_t, 32> byColumn;

    std::uint8_t At(int row, int pixel) const { return byColumn[static_cast<std::size_t>(8 * pixel + row)]; }
};

constexpr int CellColumnOf(int cell) { return cell % CellColumns; }
constexpr int CellRowOf(int cell) { return cell / CellColumns; }

inline CellPixels GatherCell(const Canvas& canvas, int cell) {
    CellPixels pixels;
    const int column = 4 * CellColumnOf(cell);
    const int row = 8 * CellRowOf(cell);
    for (int p = 0; p < 4; ++p) std::memcpy(pixels.byColumn.data() + 8 * p, &canvas[CanvasIndex(column + p, row)], 8);
    return pixels;
}

}  // namespace pxm

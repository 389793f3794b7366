#pragma once
// The 32 pixels of one character cell in the order every koalization visits them: pixel rows
// 0-7 of the cell, four double-wide pixels each.
#include <array>
#include <cstdint>

#include "import/canvas.h"
#include "koala/koala_image.h"

namespace pxm {

using CellPixels = std::array<std::uint8_t, 32>;

constexpr int CellColumnOf(int cell) { return cell % CellColumns; }
constexpr int CellRowOf(int cell) { return cell / CellColumns; }

inline CellPixels GatherCell(const Canvas& canvas, int cell) {
    CellPixels pixels{};
    const int column = 4 * CellColumnOf(cell);
    const int row = 8 * CellRowOf(cell);
    for (int k = 0; k < 8; ++k) {
        for (int p = 0; p < 4; ++p) pixels[static_cast<std::size_t>(4 * k + p)] = canvas[CanvasIndex(column + p, row + k)];
    }
    return pixels;
}

}  // namespace pxm

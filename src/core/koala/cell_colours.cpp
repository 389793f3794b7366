#include "core/koala/cell_colours.h"

#include <array>

#include "core/koala/cell_pixels.h"

namespace pxm {

std::vector<std::uint8_t> DistinctCellColours(const Canvas& canvas, int cell) {
    std::array<bool, 256> seen{};
    const int column = 4 * CellColumnOf(cell);
    const int row = 8 * CellRowOf(cell);
    for (int p = 0; p < 4; ++p) {
        for (int k = 0; k < 8; ++k) seen[canvas[CanvasIndex(column + p, row + k)]] = true;
    }
    std::vector<std::uint8_t> colours;
    for (std::size_t v = 0; v < seen.size(); ++v) {
        if (seen[v]) colours.push_back(static_cast<std::uint8_t>(v));
    }
    return colours;
}

}  // namespace pxm

#include "core/koala/failing_cells.h"

#include <bitset>

#include "core/koala/cell_pixels.h"

namespace pxm {

std::array<int, 16> FailingCellCounts(const Canvas& canvas) {
    std::array<int, 16> failing{};
    for (int cell = 0; cell < CellCount; ++cell) {
        std::bitset<256> present;
        for (const std::uint8_t v : GatherCell(canvas, cell).byColumn) present.set(v);
        const auto count = static_cast<int>(present.count());
        for (std::size_t b = 0; b < failing.size(); ++b) failing[b] += count - (present[b] ? 1 : 0) > MaxCellColours;
    }
    return failing;
}

}  // namespace pxm

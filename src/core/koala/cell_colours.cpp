#include "koala/cell_colours.h"

#include <array>

#include "koala/cell_pixels.h"

namespace pxm {

std::vector<std::uint8_t> DistinctCellColours(const Canvas& canvas, int cell) {
    std::array<bool, 256> seen{};
    for (const std::uint8_t v : GatherCell(canvas, cell).byColumn) seen[v] = true;
    std::vector<std::uint8_t> colours;
    for (std::size_t v = 0; v < seen.size(); ++v) {
        if (seen[v]) colours.push_back(static_cast<std::uint8_t>(v));
    }
    return colours;
}

}  // namespace pxm

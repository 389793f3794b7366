#include "core/koala/clashing_cells.h"

#include <algorithm>

#include "core/koala/cell_colours.h"
#include "core/koala/koalize.h"

namespace pxm {

namespace {

constexpr std::uint8_t White = 1;
constexpr std::array<std::uint8_t, 4> Greys{0, 11, 12, 15};  // black and the three grey levels
constexpr std::array<std::uint8_t, 3> GreyLevels{11, 12, 15};

bool FitsGreys(const std::vector<std::uint8_t>& colours, bool withWhite) {
    const auto shown = [&](std::uint8_t c) { return std::ranges::count(Greys, c) > 0 || (withWhite && c == White); };
    if (!std::ranges::all_of(colours, shown)) return false;
    // White takes the place of a grey level the cell leaves out.
    const auto holds = [&](std::uint8_t c) { return std::ranges::binary_search(colours, c); };
    return !(holds(White) && std::ranges::all_of(GreyLevels, holds));
}

CellSet GreyClashes(const Canvas& canvas, bool withWhite) {
    CellSet cells;
    for (int cell = 0; cell < CellCount; ++cell)
        cells[static_cast<std::size_t>(cell)] = !FitsGreys(DistinctCellColours(canvas, cell), withWhite);
    return cells;
}

Clashes FewestClashes(const Canvas& canvas) {
    Clashes fewest{CellsThatFail(canvas, 0), 0};
    for (std::uint8_t b = 1; b < 16 && fewest.cells.any(); ++b) {
        CellSet cells = CellsThatFail(canvas, b);
        if (cells.count() < fewest.cells.count()) fewest = {cells, b};
    }
    return fewest;
}

}  // namespace

Clashes FindClashes(const Canvas& canvas, PaletteMode mode, BackgroundChoice background) {
    switch (mode) {
        case PaletteMode::FourGreys: return {GreyClashes(canvas, false), 0};
        case PaletteMode::FiveGreys: return {GreyClashes(canvas, true), 0};
        case PaletteMode::Multicolour: break;
    }
    if (!background.colour) return FewestClashes(canvas);
    return {CellsThatFail(canvas, *background.colour), *background.colour};
}

}  // namespace pxm

#pragma once
// Every cell that a koalization cannot make, not only the first it stops at: what the clash
// map marks and what a refusal counts.
#include <cstdint>

#include "core/import/canvas.h"
#include "core/koala/cell_set.h"
#include "core/koala/koalize_step.h"

namespace pxm {

struct Clashes {
    CellSet cells;
    std::uint8_t background = 0;  // multicolour: the background the cells fail under
};

// Multicolour: the cells that fail under the background given, or for AutoBackground under the
// one that leaves the fewest (the lowest of equals; none when a background works). Grey modes:
// the cells with a colour the mode cannot show or, in five greys, white with all three greys.
Clashes FindClashes(const Canvas& canvas, PaletteMode mode, BackgroundChoice background);

}  // namespace pxm

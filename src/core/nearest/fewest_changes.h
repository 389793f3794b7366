#pragma once
// Pixel art with clashes: every pixel holds a C64 colour, but some cells hold too many. The
// picture that changes the fewest multicolour pixels, over every background and every choice of
// each cell's colours: for a given background the cells do not affect each other, so each cell's
// best choice is found on its own, exactly. A changed pixel takes the colour its cell keeps that
// lies nearest to its own; among choices that change equally few pixels, the one whose changed
// pixels lie nearest wins.
#include <cstdint>

#include "core/nearest/cell_search.h"

namespace pxm {

struct FewestChanges {
    std::uint8_t background = 0;
    CellColourSets sets;
    int changedPixels = 0;  // multicolour pixels: a pixel whose pair held two colours counts
    int changedCells = 0;
};

// Also paints the result onto the Canvas (colour numbers; outside the picture the background).
FewestChanges FindFewestChanges(const NearestTarget& target, PaletteDistances& distances, const ModeColours& mode,
                                Canvas& canvas);

}  // namespace pxm

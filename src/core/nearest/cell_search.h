#pragma once
// The colours of the nearest picture: the background that serves the whole picture best, then
// for each 4 x 8 cell the three further colours that serve it best. Both by search over sets of
// colours, scored by the summed CIEDE2000 difference of every pixel to the nearest colour of the
// set (for a cell to be dithered, or to the nearest mixture of two of them).
#include <array>
#include <cstdint>
#include <vector>

#include "core/base/second_thread.h"
#include "core/koala/koala_image.h"
#include "core/nearest/mode_colours.h"
#include "core/nearest/nearest_target.h"
#include "core/nearest/palette_distances.h"

namespace pxm {

// The colours each cell keeps, background included, cell by cell (row by row).
using CellColourSets = std::vector<ColourSet>;

// Both searches share their cells with the second thread where one is given; the result is the
// same without.
std::uint8_t ChooseBackground(const PixelDifferences& pixels, const ModeColours& mode, SecondThread* second = nullptr);
// Each two palette colours' CIEDE2000 difference, in the units of PaletteDistances.
using PaletteGaps = std::array<std::array<float, 16>, 16>;
PaletteGaps PaletteGapsOf(const ShownColours& shown);

// mixing: for a picture to be dithered, the palette's gaps: a pixel is then served by a mixture
// of two of the cell's colours too (a colour that mixes well with others may serve a cell better
// than one nearer to a few of its pixels). Without, each pixel by its nearest.
CellColourSets ChooseCellColours(const PixelDifferences& pixels, const ModeColours& mode, std::uint8_t background,
                                 const PaletteGaps* mixing = nullptr, SecondThread* second = nullptr);

// The pixel of the target at position p (0 to 31, row by row) of a cell.
constexpr std::size_t CellPixelAt(int cell, int p) {
    return NearestTarget::At(4 * (cell % CellColumns) + p % 4, 8 * (cell / CellColumns) + p / 4);
}

}  // namespace pxm

#pragma once
// The picture refined as the eye takes it in: pixels and cell colours changed one at a time
// wherever the change brings the blurred picture (seen_blur.h) nearer the blurred target, each
// error weighed as CIEDE2000 weighs it between the two there (local_metric.h). Dithering
// passes each pixel's error on to pixels not yet done and never looks back; this looks at every
// pixel's whole neighbourhood, on both sides of every cell border, and lets a cell take other
// colours when its neighbours' dithering asks for them.
#include <cstdint>

#include "core/import/canvas.h"
#include "core/nearest/cell_search.h"

namespace pxm {

// canvas: a picture whose pixels each take a colour of their cell's set (a dither's), refined in
// place; sets: the cells' colours, background included, changed where that serves.
void RefineAsSeen(const NearestTarget& target, const ShownColours& shown, const ModeColours& mode,
                  std::uint8_t background, CellColourSets& sets, Canvas& canvas);

}  // namespace pxm

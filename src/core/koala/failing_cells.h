#pragma once
// How many cells keep the multicolour koalization from working under each background: a cell
// takes at most MaxCellColours colours besides the background.
#include <array>

#include "core/import/canvas.h"

namespace pxm {

inline constexpr int MaxCellColours = 3;

// For each background 0-15, the cells holding more than MaxCellColours other values.
std::array<int, 16> FailingCellCounts(const Canvas& canvas);

}  // namespace pxm

#pragma once
// One line for a C64 artist naming the cell or pixel that stopped a koalization, in the BMP's
// own pixel coordinates (x from the left, y from the top).
#include <cstdint>
#include <string>

#include "core/import/bmp_reader.h"
#include "core/import/canvas.h"

namespace pxm::cli {

// A cell with too many colours besides the background.
std::string CrowdedCellDetail(const Canvas& canvas, int cell, std::uint8_t background);
// The same for AUTO: which background got furthest, and its cell.
std::string AutoSearchDetail(const Canvas& canvas, int cell, std::uint8_t furthestBackground);
// A pixel that a grey mode cannot show; withWhite: the five-level mode.
std::string ForeignPixelDetail(const Canvas& canvas, const BmpInfo& info, int column, int row, bool withWhite);
// A five-grey cell holding white and all three grey levels.
std::string WhiteWithAllGreysDetail(int cell);

}  // namespace pxm::cli

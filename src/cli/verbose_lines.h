#pragma once
// What -v adds for an artist: how close the picture's colours lie to the palette taken, how many
// colours the cells hold, the time taken.
#include <chrono>
#include <cstdint>
#include <string>

#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm::cli {

// "Colours: 7, each within distance 2.4 of its pepto entry."
std::string PaletteDistanceLine(const DecodedPicture& picture, const PictureArea& area, std::size_t palette);

// "Cells by colours besides background 6 (blue): 0: 120, 1: 300, 2: 280, 3: 300."
std::string CellCountsLine(const Canvas& canvas, std::uint8_t background);

// "Time taken: 12 ms."
std::string TimeTakenLine(std::chrono::steady_clock::duration taken);

}  // namespace pxm::cli

#pragma once
// What -v adds for an artist: how close the picture's colours lie to the palette taken, what
// --nearest chose and why, how many colours the cells hold, the time taken.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "lib/reading/picture_scaling.h"
#include "core/nearest/dither.h"

#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm {

// "Colours: 7, each within distance 2.4 of its pepto entry."
std::string PaletteDistanceLine(const DecodedPicture& picture, const PictureArea& area, std::size_t palette);

// What --nearest chose, for the lines that say so.
struct NearestChoices {
    enum class PaletteReason { Default, Named, OwnFile, Recognised };
    std::size_t palette = 0;
    PaletteReason paletteReason = PaletteReason::Default;
    bool scalable = true;  // false: a BMP, always placed as read (no line on scaling)
    int width = 0;         // the picture's size in its file
    int height = 0;
    std::optional<ScaleMode> scale;  // none: placed as read, unscaled
    bool scaleGiven = false;         // by --scale
    int left = 0;                    // Fit: where the scaled picture's top left lies on the screen
    int top = 0;
    std::optional<DitherSettings> dither;  // as asked; none: the default
    bool pixelArt = false;                 // every colour of the picture a C64 colour
};

// "Palette: pepto (the default).", "Scaling: fit (...)." and "Dither: ... (...)."; the palette's
// line only when no information line names it already (Recognised), the scaling's only when the
// picture is scalable.
std::string NearestChoicesLines(const NearestChoices& choices);

// "Cells by colours besides background 6 (blue): 0: 120, 1: 300, 2: 280, 3: 300."
std::string CellCountsLine(const Canvas& canvas, std::uint8_t background);

// "Time taken: 12 ms."
std::string TimeTakenLine(std::chrono::steady_clock::duration taken);

}  // namespace pxm

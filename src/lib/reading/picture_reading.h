#pragma once
// The converter's Open step: the file's kind told by its first bytes; a BMP through the core's
// BMP reader, its signature and bits per pixel checked as well, by its palette indexes as always
// or by its colours when its palette holds C64 colours out of their order or a palette is given; a PNG, GIF or JPEG through its decoder and the
// core's import; a file of no known kind refused. On refusal, what the user is told.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "lib/options.h"
#include "lib/reading/input_file.h"
#include "lib/wording/picture_refusal.h"
#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/import/palette_match.h"
#include "core/import/picture_area.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

struct PictureReading {
    enum class Outcome { Read, Refused, UsageError };
    Outcome outcome = Outcome::Read;
    std::string caption;                   // Refused: the message's caption
    std::string text;                      // Refused: the message (Windows ANSI); UsageError: what is wrong
    std::string detail;                    // Refused: a line naming the pixels, or empty
    bool nearestMakesIt = false;           // Refused: --nearest makes a picture of the file
    CanvasSource source;                   // Read: how the Canvas sits in the file
    std::size_t palette = DefaultPalette;  // Read: the palette the preview shows
    std::optional<std::uint8_t> border;    // Read from an emulator screenshot: its border's colour
    std::string information;               // Read: an information line ("Palette: pepto."), or empty
    std::string verbose;                   // Read: what -v adds, or empty
    DecodedPicture decoded;                // Read from a PNG, GIF or JPEG: its pixels (for the clash map)
};

PictureReading ReadPicture(const InputFile& input, const Options& options, Canvas& canvas);

// "Palette: pepto" for a match that took a palette; a palette that is no exact fit is named as
// the nearest, with its largest RGB difference.
std::string PaletteLine(const PaletteMatch& match);

// A refusal as a reading (caption "Error").
PictureReading Refused(Refusal refusal);

}  // namespace pxm

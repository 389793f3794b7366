#pragma once
// A decoded PNG or GIF to the Canvas: its size, its colour numbers (matched from RGB, or its
// table indexes) and its double-wide pixels. What every converter shares after the decoder.
#include <cstddef>
#include <optional>

#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"
#include "core/import/picture_kind.h"
#include "core/import/palette_match.h"

namespace pxm {

enum class ImportRefusal {
    None,
    Size,           // neither up to 320x200 nor a 384x272 screenshot
    NoColourTable,  // palette indexes asked for, but the file holds RGB only
    Colour,         // see colours
    DifferingPair,  // see pair
    Transparent,    // see transparent: a C64 has no transparent colour
};

// The first pixel (file coordinates, row by row) that is not fully opaque.
struct TransparentPixel {
    int x = 0;
    int y = 0;
    std::uint8_t alpha = 0;
};

struct PictureImport {
    ImportRefusal refusal = ImportRefusal::None;
    PaletteMatch colours;                // RGB modes: the palette taken, or the colour refused
    DifferingPair pair;                  // DifferingPair: its left pixel
    TransparentPixel transparent;        // Transparent: the pixel
    std::optional<std::size_t> palette;  // success in an RGB mode: the palette the numbers came from
    CanvasSource source;                 // success: how the Canvas sits in the file
};

// kind: the file's (PNG or GIF). On refusal the Canvas is left as it was.
PictureImport ImportPicture(const DecodedPicture& picture, PictureKind kind, const PaletteChoice& choice,
                            Canvas& canvas);

}  // namespace pxm

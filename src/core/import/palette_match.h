#pragma once
// C64 colour numbers from the RGB a paint program saved. Every colour the picture uses is matched
// to the sixteen colours of a known palette: a palette fits when every used colour lies close to
// one of its entries and no two used colours land on the same entry. AUTO takes the palette that
// fits best; a named palette must fit by itself.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

// How far (RGB distance) a colour may lie from a palette entry and still be that entry: less
// than half the distance between any two entries of one palette.
inline constexpr int CloseEnoughDistance = 10;
inline constexpr int CloseEnough = CloseEnoughDistance * CloseEnoughDistance;  // squared

struct PaletteChoice {
    enum class Kind { Auto, Index, Named };
    Kind kind = Kind::Auto;
    std::size_t palette = 0;  // Named: position in C64Palettes
};

// A colour and the first pixel (file coordinates, row by row from the top) that has it.
struct ColourAt {
    Rgb rgb;
    int x = 0;
    int y = 0;
};

enum class ColourRefusal {
    None,
    UnknownColour,  // close to no entry of any known palette
    NotInPalette,   // close to no entry of the palette named
    SharedEntry,    // two used colours on the same entry of the palette named
};

struct PaletteMatch {
    ColourRefusal refusal = ColourRefusal::None;
    // Success: the palette taken. NotInPalette, SharedEntry: the palette they speak of.
    std::size_t palette = 0;
    // AUTO, when every colour is in some palette but none holds them all: the refusal is that of
    // the palette that got furthest through the colours in the order the picture shows them.
    bool noPaletteHoldsAll = false;
    ColourAt colour;                    // refused: the colour
    ColourAt other;                     // SharedEntry: the colour that took the entry first
    int nearest = -1;                   // refused: the nearest C64 colour number (SharedEntry: the entry)
    std::vector<std::uint8_t> numbers;  // success: the area's colour numbers, row by row
};

// choice: Auto or Named.
PaletteMatch MatchPalette(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice);

}  // namespace pxm

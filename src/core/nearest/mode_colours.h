#pragma once
// Which colours the nearest picture may use in each palette mode: the backgrounds it may choose
// from and the colours a cell may keep besides the background, each a set of C64 colours (bit n
// for colour n).
#include <array>
#include <cstdint>

#include "core/koala/koalize_step.h"
#include "core/nearest/colour_space.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

using ColourSet = std::uint16_t;
inline constexpr ColourSet AllColours = 0xFFFF;
constexpr bool Holds(ColourSet set, int colour) { return (set >> colour & 1u) != 0; }

// A cell's colours as a short list, lowest number first: a set of at most four.
struct KeptColours {
    std::array<std::uint8_t, 4> colours{};
    std::size_t count = 0;
};
KeptColours KeptOf(ColourSet set);

struct ModeColours {
    ColourSet backgrounds = AllColours;
    ColourSet cellColours = AllColours;
};

// background: AutoBackground or the colour asked for (multicolour only; the grey modes show black).
ModeColours ModeColoursOf(PaletteMode mode, BackgroundChoice background);

// The sixteen colours of a palette, in linear light and in CIELAB.
struct ShownColours {
    std::array<LinearRgb, 16> linear;
    std::array<Lab, 16> lab;
};
ShownColours ShownColoursOf(const C64Palette& palette);

}  // namespace pxm

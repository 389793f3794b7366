#pragma once
// The palettes a run knows by number: the listed ones (C64Palettes, numbers 0 to 34), then one
// of the user's own (OwnPalette), read from a file before anything is converted. A palette's
// number is what a choice, a match and a reading carry; PaletteAt gives its colours.
#include <array>
#include <cstddef>
#include <string>

#include "core/palette/c64_palettes.h"

namespace pxm {

inline constexpr std::size_t OwnPalette = C64Palettes.size();

// The palette of the number; OwnPalette before SetOwnPalette is all black.
const C64Palette& PaletteAt(std::size_t number);

// The own palette for the rest of the run, named as the user will see it (the file's name).
// Set before conversions start: converting threads only read it.
void SetOwnPalette(std::string name, const std::array<Rgb, 16>& colours);

}  // namespace pxm

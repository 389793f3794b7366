#pragma once
// Any RGB picture (the clash map) as a 24-bit BMP, which every PC picture program opens.
#include <cstdint>
#include <span>
#include <vector>

#include "core/palette/c64_palettes.h"

namespace pxm {

// pixels: width x height, row by row from the top.
std::vector<std::uint8_t> BuildRgbBmp(std::span<const Rgb> pixels, int width, int height);

}  // namespace pxm

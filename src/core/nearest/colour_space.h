#pragma once
// Colours as the eye mixes them and as it tells them apart: linear-light RGB (where neighbouring
// pixels average) and CIELAB (core/import/cielab.h, where distances follow what is seen), with the
// CIEDE2000 difference.
#include <array>
#include <cstdint>

#include "core/import/cielab.h"
#include "core/palette/rgb.h"

namespace pxm {

struct LinearRgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

// An sRGB byte in linear light, 0 to 1.
float LinearFromByte(std::uint8_t value);
LinearRgb LinearOf(Rgb colour);
// Components outside 0 to 1 are clamped; a tabulated cube root, fast enough for every pixel of
// a dither (LabOf(Rgb) is the exact one).
Lab LabOf(LinearRgb colour);

// CIEDE2000 (Sharma, Wu and Dalal's formulation); Ciede2000ToEach is the fast form.
double Ciede2000(const Lab& x, const Lab& y);

}  // namespace pxm

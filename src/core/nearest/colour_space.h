#pragma once
// Colours as the eye mixes them and as it tells them apart: linear-light RGB (where neighbouring
// pixels average) and CIELAB (where distances follow what is seen), with the CIEDE2000
// difference.
#include <array>
#include <cstdint>

#include "core/palette/rgb.h"

namespace pxm {

struct LinearRgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

struct Lab {
    float l = 0;
    float a = 0;
    float b = 0;
};

// An sRGB byte in linear light, 0 to 1.
float LinearFromByte(std::uint8_t value);
LinearRgb LinearOf(Rgb colour);
// Components outside 0 to 1 are clamped.
Lab LabOf(LinearRgb colour);
inline Lab LabOf(Rgb colour) { return LabOf(LinearOf(colour)); }

// CIE76: the straight distance in CIELAB, the search's metric.
float LabDistance(Lab x, Lab y);
// CIEDE2000 (Sharma, Wu and Dalal's formulation).
double Ciede2000(Lab x, Lab y);

}  // namespace pxm

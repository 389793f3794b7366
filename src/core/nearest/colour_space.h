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

// sRGB primaries to CIE XYZ relative to the D65 white, one row a coordinate (X/Xn, Y/Yn, Z/Zn).
inline constexpr std::array<std::array<float, 3>, 3> LinearToXyz{{
    {0.4124564f / 0.95047f, 0.3575761f / 0.95047f, 0.1804375f / 0.95047f},
    {0.2126729f, 0.7151522f, 0.0721750f},
    {0.0193339f / 1.08883f, 0.1191920f / 1.08883f, 0.9503041f / 1.08883f},
}};
// CIELAB's f(t): the cube root above (6/29)^3, straight below; t clamped to 0 to 1, tabulated.
float CielabF(float t);

// An sRGB byte in linear light, 0 to 1.
float LinearFromByte(std::uint8_t value);
LinearRgb LinearOf(Rgb colour);
// Components outside 0 to 1 are clamped; a tabulated cube root, fast enough for every pixel of
// a dither (LabOf(Rgb) is the exact one).
Lab LabOf(LinearRgb colour);

// CIEDE2000 (Sharma, Wu and Dalal's formulation); Ciede2000ToEach is the fast form.
double Ciede2000(const Lab& x, const Lab& y);

}  // namespace pxm

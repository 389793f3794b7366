#pragma once
// How far a picture's colour lies from an entry of a C64 palette. Published palettes differ from
// each other mostly in saturation and hue; their brightness steps (the VIC-II's luminance levels)
// are what they share. So in CIELAB a lightness difference counts in full, a chroma (saturation)
// difference half and a hue difference two thirds: a greener or paler green stays green, a
// lighter one becomes light green. bench/palette_margins.cpp shows the figures behind the weights.
#include <algorithm>
#include <cmath>

#include "core/import/cielab.h"

namespace pxm {

struct DistanceWeights {
    double chroma = 1;
    double hue = 1;
};

inline constexpr DistanceWeights PaletteWeights{1 / 2.0, 1 / 1.5};

// The squared distance: ΔL*² + (chroma·ΔC*)² + (hue·ΔH*)², ΔH* the hue difference CIE94 and
// CIEDE2000 take (what of Δa*, Δb* is not chroma).
inline double PaletteDistanceSquared(const Lab& x, const Lab& y, DistanceWeights weights = PaletteWeights) {
    const double dl = x.l - y.l;
    const double da = x.a - y.a;
    const double db = x.b - y.b;
    const double dc = std::sqrt(x.a * x.a + x.b * x.b) - std::sqrt(y.a * y.a + y.b * y.b);
    const double dh2 = std::max(0.0, da * da + db * db - dc * dc);
    return dl * dl + weights.chroma * weights.chroma * dc * dc + weights.hue * weights.hue * dh2;
}

}  // namespace pxm

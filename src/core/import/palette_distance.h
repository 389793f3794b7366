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

// How much less a chroma and a hue difference count the more saturated the entry is: divided by
// 1 + slope · C*, as CIE94 does (0.045 and 0.015 for graphic arts).
struct DistanceWeights {
    double chroma = 0;
    double hue = 0;
};

inline constexpr DistanceWeights PaletteWeights{0.045, 0.015};

// The squared distance of a picture's colour from a palette's entry: ΔL*² + (ΔC*/S_C)² + (ΔH*/S_H)²,
// S = 1 + slope · C* of the entry, ΔH* what of Δa*, Δb* is not chroma.
inline double PaletteDistanceSquared(const Lab& colour, const Lab& entry, DistanceWeights weights = PaletteWeights) {
    const double dl = colour.l - entry.l;
    const double da = colour.a - entry.a;
    const double db = colour.b - entry.b;
    const double chroma = std::sqrt(entry.a * entry.a + entry.b * entry.b);
    const double dc = std::sqrt(colour.a * colour.a + colour.b * colour.b) - chroma;
    const double dh2 = std::max(0.0, da * da + db * db - dc * dc);
    const double sc = 1 + weights.chroma * chroma;
    const double sh = 1 + weights.hue * chroma;
    return dl * dl + dc * dc / (sc * sc) + dh2 / (sh * sh);
}

}  // namespace pxm

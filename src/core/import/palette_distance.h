#pragma once
// How far a picture's colour lies from an entry of a C64 palette. Published palettes differ from
// each other mostly in saturation and hue; their brightness steps (the VIC-II's luminance levels)
// are what they share. So in CIELAB a lightness difference counts in full, while chroma
// (saturation) and hue differences count less the more saturated the entry is, as CIE94 weighs
// them: a greener or paler green stays green, a lighter one becomes light green.
// bench/palette_margins.cpp shows the figures behind the weights.
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

// A colour in CIELAB with its chroma, and the factors its chroma and hue differences are
// weighed by as an entry: worked out once per colour, not once per distance.
struct WeighedLab {
    Lab lab;
    double chroma = 0;
    double chromaFactor = 1;  // 1 / S_C²
    double hueFactor = 1;     // 1 / S_H²
};

inline WeighedLab Weighed(const Lab& lab, DistanceWeights weights = PaletteWeights) {
    const double chroma = std::sqrt(lab.a * lab.a + lab.b * lab.b);
    const double sc = 1 + weights.chroma * chroma;
    const double sh = 1 + weights.hue * chroma;
    return {lab, chroma, 1 / (sc * sc), 1 / (sh * sh)};
}

// The squared distance of a picture's colour from a palette's entry: ΔL*² + (ΔC*/S_C)² + (ΔH*/S_H)²,
// S = 1 + slope · C* of the entry, ΔH* what of Δa*, Δb* is not chroma.
inline double PaletteDistanceSquared(const WeighedLab& colour, const WeighedLab& entry) {
    const double dl = colour.lab.l - entry.lab.l;
    const double da = colour.lab.a - entry.lab.a;
    const double db = colour.lab.b - entry.lab.b;
    const double dc = colour.chroma - entry.chroma;
    const double dh2 = std::max(0.0, da * da + db * db - dc * dc);
    return dl * dl + dc * dc * entry.chromaFactor + dh2 * entry.hueFactor;
}

inline double PaletteDistanceSquared(const Lab& colour, const Lab& entry, DistanceWeights weights = PaletteWeights) {
    return PaletteDistanceSquared(Weighed(colour, weights), Weighed(entry, weights));
}

}  // namespace pxm

#pragma once
// How the eye weighs a picture's colour against the colour it should be, as CIEDE2000 does
// however far apart the two are, in a form a search can use without a conversion per trial: the
// difference itself, and a quadratic form M over steps d in linear light (where neighbouring
// pixels mix) whose pull, M e for the difference e taken to linear light, is CIEDE2000's own pull
// on the picture's colour, term by term (lightness, chroma, hue, the blues' rotation). For a
// small difference sqrt(dᵀ M d) is CIEDE2000 of the step.
#include <array>
#include <cstddef>

#include "core/nearest/colour_space.h"

namespace pxm {

// A symmetric 3 x 3 matrix over (r, g, b): rr, gg, bb, rg, rb, gb.
struct LocalMetric {
    std::array<float, 6> m{};

    float Of(LinearRgb d) const {
        return m[0] * d.r * d.r + m[1] * d.g * d.g + m[2] * d.b * d.b +
               2 * (m[3] * d.r * d.g + m[4] * d.r * d.b + m[5] * d.g * d.b);
    }
};

// CIELAB's derivatives at a colour, d(L*, a*, b*) / d(r, g, b) by rows, and their inverse: a
// CIELAB difference as the step in linear light that makes it, to first order there.
struct LabSlopes {
    std::array<std::array<float, 3>, 3> rows{};
    std::array<std::array<float, 3>, 3> inverse{};

    // A CIELAB difference (L*, a*, b*) as a step in linear light.
    LinearRgb StepOf(const std::array<float, 3>& lab) const {
        const auto row = [&](std::size_t k) { return inverse[k][0] * lab[0] + inverse[k][1] * lab[1] + inverse[k][2] * lab[2]; };
        return {row(0), row(1), row(2)};
    }
};
LabSlopes LabSlopesAt(LinearRgb colour);

// Pairs side by side (a row of the picture), each array's first `count` entries: in, the
// target's and the picture's colours in CIELAB and the slopes at the picture's colour; out,
// each pair's metric and CIEDE2000 difference. One object, so that the compiler sees that no
// array overlaps another and runs four or more pairs at once.
inline constexpr std::size_t PairBatch = 160;
using PairLane = std::array<float, PairBatch>;
struct Pairs {
    std::array<PairLane, 3> target;  // L*, a*, b*
    std::array<PairLane, 3> result;
    std::array<PairLane, 9> slopes;  // LabSlopes::rows, row by row
    std::array<PairLane, 6> metric;  // LocalMetric::m
    PairLane difference;
};
void MeasurePairs(Pairs& pairs, std::size_t count);

}  // namespace pxm

#pragma once
// How far a small step in linear light looks from a given colour: CIEDE2000 for small
// differences, taken to linear light through CIELAB's derivatives, as a quadratic form. A step
// d from colour c is seen as about sqrt(dᵀ M d), M = LocalMetricAt(c). It lets a search weigh a
// change in linear light (where neighbouring pixels mix) the way the eye weighs it, without a
// conversion per trial.
#include <array>

#include "core/nearest/colour_space.h"

namespace pxm {

// A symmetric 3 x 3 matrix over (r, g, b): rr, gg, bb, rg, rb, gb.
struct LocalMetric {
    std::array<float, 6> m{};

    float Of(LinearRgb d) const {
        return m[0] * d.r * d.r + m[1] * d.g * d.g + m[2] * d.b * d.b +
               2 * (m[3] * d.r * d.g + m[4] * d.r * d.b + m[5] * d.g * d.b);
    }
    LinearRgb Times(LinearRgb d) const {
        return {m[0] * d.r + m[3] * d.g + m[4] * d.b, m[3] * d.r + m[1] * d.g + m[5] * d.b,
                m[4] * d.r + m[5] * d.g + m[2] * d.b};
    }
};

LocalMetric LocalMetricAt(LinearRgb colour);

}  // namespace pxm

#include "core/nearest/local_metric.h"

#include <algorithm>
#include <cmath>

#include "core/nearest/ciede2000_terms.h"

namespace pxm {

namespace {

using Row = std::array<float, 3>;

// The slope of CIELAB's f at t, given f(t): the cube root's above (6/29)^3, the straight part's below.
float SlopeOfF(float t, float f) {
    constexpr float Epsilon = 216.0f / 24389.0f;
    constexpr float Kappa = 24389.0f / 27.0f;
    return t > Epsilon ? f / (3.0f * t) : Kappa / 116.0f;
}

Row Scaled(const Row& row, float by) { return {row[0] * by, row[1] * by, row[2] * by}; }
Row Difference(const Row& x, const Row& y) { return {x[0] - y[0], x[1] - y[1], x[2] - y[2]}; }

}  // namespace

LocalMetric LocalMetricAt(LinearRgb colour) {
    const std::array<float, 3> rgb{std::clamp(colour.r, 0.0f, 1.0f), std::clamp(colour.g, 0.0f, 1.0f),
                                   std::clamp(colour.b, 0.0f, 1.0f)};
    std::array<float, 3> f{};
    std::array<Row, 3> df{};  // the derivatives of f(X), f(Y), f(Z) over r, g, b
    for (std::size_t i = 0; i < 3; ++i) {
        const Row& row = LinearToXyz[i];
        const float t = row[0] * rgb[0] + row[1] * rgb[1] + row[2] * rgb[2];
        f[i] = CielabF(t);
        df[i] = Scaled(row, SlopeOfF(t, f[i]));
    }
    const float l = 116.0f * f[1] - 16.0f;
    const float a = 500.0f * (f[0] - f[1]);
    const float b = 200.0f * (f[1] - f[2]);
    const Row dL = Scaled(df[1], 116.0f);
    // CIEDE2000 stretches a* near the grey axis by 1 + G.
    const float plainChroma7 = ciede2000::Seventh(std::sqrt(a * a + b * b));
    const float stretch = 1.5f - 0.5f * std::sqrt(plainChroma7 / (plainChroma7 + ciede2000::TwentyFiveToTheSeventh));
    const Row da = Scaled(Difference(df[0], df[1]), 500.0f * stretch);
    const Row db = Scaled(Difference(df[1], df[2]), 200.0f);
    const float aStretched = a * stretch;
    const float chroma = std::sqrt(aStretched * aStretched + b * b);
    // Across the a*b* plane: along the chroma direction u and the hue direction v.
    float ua = 1.0f;
    float ub = 0.0f;
    if (chroma > 1e-3f) {
        ua = aStretched / chroma;
        ub = b / chroma;
    }
    // CIEDE2000's weights: lightness less far from mid-grey, chroma and hue less when saturated,
    // hue by how finely the eye tells hues apart there, chroma and hue seen together in the blues.
    const float l50 = l - 50.0f;
    const float sL = 1.0f + 0.015f * l50 * l50 / std::sqrt(20.0f + l50 * l50);
    const float sC = 1.0f + 0.045f * chroma;
    const float sH = 1.0f + 0.015f * chroma * ciede2000::HueWeighing(ua, ub);
    const float rT = ciede2000::BlueRotation(ua, ub, chroma);
    const float wc = 1.0f / (sC * sC);
    const float wh = 1.0f / (sH * sH);
    const float wch = 0.5f * rT / (sC * sH);  // the cross term, half on each side
    // W over (a*, b*): wc u uᵀ + wh v vᵀ + wch (u vᵀ + v uᵀ), v = (-ub, ua).
    const float waa = wc * ua * ua + wh * ub * ub - 2.0f * wch * ua * ub;
    const float wbb = wc * ub * ub + wh * ua * ua + 2.0f * wch * ua * ub;
    const float wab = (wc - wh) * ua * ub + wch * (ua * ua - ub * ub);
    // M = Jᵀ W J, J the rows dL, da, db; W weighs lightness by 1/sL² and the a*b* plane by wc
    // along u and wh along v, wch across the two. W J first, then each entry of M as three
    // products.
    const Row pL = Scaled(dL, 1.0f / (sL * sL));
    const Row pa{waa * da[0] + wab * db[0], waa * da[1] + wab * db[1], waa * da[2] + wab * db[2]};
    const Row pb{wab * da[0] + wbb * db[0], wab * da[1] + wbb * db[1], wab * da[2] + wbb * db[2]};
    const auto entry = [&](std::size_t i, std::size_t j) { return dL[i] * pL[j] + da[i] * pa[j] + db[i] * pb[j]; };
    LocalMetric metric;
    metric.m = {entry(0, 0), entry(1, 1), entry(2, 2), entry(0, 1), entry(0, 2), entry(1, 2)};
    return metric;
}

}  // namespace pxm

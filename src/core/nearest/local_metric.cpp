#include "core/nearest/local_metric.h"

#include <algorithm>
#include <cmath>

namespace pxm {

namespace {

using Row = std::array<float, 3>;

// sRGB primaries to XYZ over the D65 white, one row a coordinate (as LabOf).
constexpr std::array<Row, 3> ToXyz{{{0.4124564f / 0.95047f, 0.3575761f / 0.95047f, 0.1804375f / 0.95047f},
                                    {0.2126729f, 0.7151522f, 0.0721750f},
                                    {0.0193339f / 1.08883f, 0.1191920f / 1.08883f, 0.9503041f / 1.08883f}}};

// The slope of CIELAB's f at t: the cube root's above (6/29)^3, the straight part's below.
float SlopeOfF(float t) {
    constexpr float Epsilon = 216.0f / 24389.0f;
    constexpr float Kappa = 24389.0f / 27.0f;
    return t > Epsilon ? 1.0f / (3.0f * std::cbrt(t * t)) : Kappa / 116.0f;
}

Row Scaled(const Row& row, float by) { return {row[0] * by, row[1] * by, row[2] * by}; }
Row Difference(const Row& x, const Row& y) { return {x[0] - y[0], x[1] - y[1], x[2] - y[2]}; }

// Adds w · x yᵀ (symmetrised) to the metric.
void AddOuter(LocalMetric& metric, const Row& x, const Row& y, float w) {
    metric.m[0] += w * x[0] * y[0];
    metric.m[1] += w * x[1] * y[1];
    metric.m[2] += w * x[2] * y[2];
    metric.m[3] += w * 0.5f * (x[0] * y[1] + x[1] * y[0]);
    metric.m[4] += w * 0.5f * (x[0] * y[2] + x[2] * y[0]);
    metric.m[5] += w * 0.5f * (x[1] * y[2] + x[2] * y[1]);
}

}  // namespace

LocalMetric LocalMetricAt(LinearRgb colour) {
    const std::array<float, 3> rgb{std::clamp(colour.r, 0.0f, 1.0f), std::clamp(colour.g, 0.0f, 1.0f),
                                   std::clamp(colour.b, 0.0f, 1.0f)};
    std::array<Row, 3> df{};  // the derivatives of f(X), f(Y), f(Z) over r, g, b
    for (std::size_t i = 0; i < 3; ++i) {
        const float t = ToXyz[i][0] * rgb[0] + ToXyz[i][1] * rgb[1] + ToXyz[i][2] * rgb[2];
        df[i] = Scaled(ToXyz[i], SlopeOfF(t));
    }
    const Lab lab = LabOf(colour);
    const Row dL = Scaled(df[1], 116.0f);
    // CIEDE2000 stretches a* near the grey axis by 1 + G.
    const auto chroma = static_cast<float>(std::hypot(lab.a, lab.b));
    const float c7 = std::pow(chroma, 7.0f);
    const float stretch = 1.5f - 0.5f * std::sqrt(c7 / (c7 + 6103515625.0f));
    const Row da = Scaled(Difference(df[0], df[1]), 500.0f * stretch);
    const Row db = Scaled(Difference(df[1], df[2]), 200.0f);
    // CIEDE2000's weights: lightness less far from mid-grey, chroma and hue less when saturated.
    const float l50 = static_cast<float>(lab.l) - 50.0f;
    const float sL = 1.0f + 0.015f * l50 * l50 / std::sqrt(20.0f + l50 * l50);
    const float sC = 1.0f + 0.045f * chroma * stretch;
    const float sH = 1.0f + 0.015f * chroma * stretch;
    LocalMetric metric;
    AddOuter(metric, dL, dL, 1.0f / (sL * sL));
    // Across the a*b* plane: along the chroma direction u and the hue direction v.
    float ua = 1.0f;
    float ub = 0.0f;
    if (chroma > 1e-3f) {
        ua = static_cast<float>(lab.a) / chroma;
        ub = static_cast<float>(lab.b) / chroma;
    }
    const float wc = 1.0f / (sC * sC);
    const float wh = 1.0f / (sH * sH);
    AddOuter(metric, da, da, wc * ua * ua + wh * ub * ub);
    AddOuter(metric, db, db, wc * ub * ub + wh * ua * ua);
    AddOuter(metric, da, db, 2.0f * (wc - wh) * ua * ub);
    return metric;
}

}  // namespace pxm

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

LabSlopes LabSlopesAt(LinearRgb colour) {
    const std::array<float, 3> rgb{std::clamp(colour.r, 0.0f, 1.0f), std::clamp(colour.g, 0.0f, 1.0f),
                                   std::clamp(colour.b, 0.0f, 1.0f)};
    std::array<Row, 3> df{};  // the derivatives of f(X), f(Y), f(Z) over r, g, b
    for (std::size_t i = 0; i < 3; ++i) {
        const Row& row = LinearToXyz[i];
        const float t = row[0] * rgb[0] + row[1] * rgb[1] + row[2] * rgb[2];
        df[i] = Scaled(row, SlopeOfF(t, CielabF(t)));
    }
    LabSlopes slopes;
    slopes.rows = {Scaled(df[1], 116.0f), Scaled(Difference(df[0], df[1]), 500.0f), Scaled(Difference(df[1], df[2]), 200.0f)};
    const auto& j = slopes.rows;
    // The inverse by cofactors.
    const auto c = [&](std::size_t r0, std::size_t r1, std::size_t c0, std::size_t c1) {
        return j[r0][c0] * j[r1][c1] - j[r0][c1] * j[r1][c0];
    };
    const float in = 1.0f / (j[0][0] * c(1, 2, 1, 2) - j[0][1] * c(1, 2, 0, 2) + j[0][2] * c(1, 2, 0, 1));
    slopes.inverse = {{{c(1, 2, 1, 2) * in, -c(0, 2, 1, 2) * in, c(0, 1, 1, 2) * in},
                       {-c(1, 2, 0, 2) * in, c(0, 2, 0, 2) * in, -c(0, 1, 0, 2) * in},
                       {c(1, 2, 0, 1) * in, -c(0, 2, 0, 1) * in, c(0, 1, 0, 1) * in}}};
    return slopes;
}

// Written as one loop of arithmetic over the arrays, with no call but the square root, so that
// the compiler runs four pairs or more at once (the file is compiled to let it).
void MeasurePairs(Pairs& pairs, std::size_t count) {
    const Pairs& in = pairs;
    Pairs& out = pairs;
    const float cos275 = std::cos(275 * ciede2000::Degree);
    const float sin275 = std::sin(275 * ciede2000::Degree);
    for (std::size_t i = 0; i < count; ++i) {
        const float lt = in.target[0][i];
        const float at = in.target[1][i];
        const float bt = in.target[2][i];
        const float lr = in.result[0][i];
        const float ar = in.result[1][i];
        const float br = in.result[2][i];
        // CIEDE2000 stretches a* near the grey axis by 1 + G, G from the pair's mean chroma.
        const float mean7 = ciede2000::Seventh((std::sqrt(at * at + bt * bt) + std::sqrt(ar * ar + br * br)) / 2);
        const float stretch = 1.5f - 0.5f * std::sqrt(mean7 / (mean7 + ciede2000::TwentyFiveToTheSeventh));
        const float apt = at * stretch;
        const float apr = ar * stretch;
        const float ct = std::sqrt(apt * apt + bt * bt);
        const float cr = std::sqrt(apr * apr + br * br);
        const ciede2000::HueComparison hue = ciede2000::CompareHues(apt, bt, ct, apr, br, cr);
        const float dH = hue.difference;
        const float c = hue.meanC;
        const float s = hue.meanS;
        const float cMean = (ct + cr) / 2;
        // The blues' rotation is below 1e-4 more than 80 degrees from its centre.
        const float rT = c * cos275 + s * sin275 > 0.17f ? ciede2000::BlueRotation(c, s, cMean) : 0.0f;
        const float lMean = (lt + lr) / 2;
        const float l50 = (lMean - 50) * (lMean - 50);
        const float sL = 1 + 0.015f * l50 / std::sqrt(20 + l50);
        const float sC = 1 + 0.045f * cMean;
        const float sH = 1 + 0.015f * cMean * ciede2000::HueWeighing(c, s);
        const float tl = (lr - lt) / sL;
        const float tc = (cr - ct) / sC;
        const float th = dH / sH;
        out.difference[i] = std::sqrt(std::max(tl * tl + tc * tc + th * th + rT * tc * th, 0.0f));
        // The weights of the pull on the picture's colour: lightness 1/sL²; chroma the slope of
        // (C_result - C_target) / sC, whose sC grows with C_result too: (1 + 0.045 C_target) / sC³,
        // not 1/sC² (a dull picture of a saturated target pulls harder toward chroma than the
        // mean chroma alone says); hue 1/sH² (the hue difference's √(C C) and the step's
        // distance from the hue line cancel); the rotation across chroma and hue.
        const float wl = 1 / (sL * sL);
        const float wc = (1 + 0.045f * ct) / (sC * sC * sC);
        const float wh = 1 / (sH * sH);
        const float wch = 0.5f * rT / (sC * sH);
        // Chroma along the picture's own hue direction u, hue across it (v = (-ub, ua)).
        const float ua = cr > 0 ? hue.secondC : c;
        const float ub = cr > 0 ? hue.secondS : s;
        const float waa = wc * ua * ua + wh * ub * ub - 2 * wch * ua * ub;
        const float wbb = wc * ub * ub + wh * ua * ua + 2 * wch * ua * ub;
        const float wab = (wc - wh) * ua * ub + wch * (ua * ua - ub * ub);
        // M = Jᵀ W J, J's rows the slopes of L*, a*' (= a* stretched) and b* over r, g, b.
        const float l0 = in.slopes[0][i];
        const float l1 = in.slopes[1][i];
        const float l2 = in.slopes[2][i];
        const float a0 = in.slopes[3][i] * stretch;
        const float a1 = in.slopes[4][i] * stretch;
        const float a2 = in.slopes[5][i] * stretch;
        const float b0 = in.slopes[6][i];
        const float b1 = in.slopes[7][i];
        const float b2 = in.slopes[8][i];
        out.metric[0][i] = wl * l0 * l0 + waa * a0 * a0 + wbb * b0 * b0 + 2 * wab * a0 * b0;
        out.metric[1][i] = wl * l1 * l1 + waa * a1 * a1 + wbb * b1 * b1 + 2 * wab * a1 * b1;
        out.metric[2][i] = wl * l2 * l2 + waa * a2 * a2 + wbb * b2 * b2 + 2 * wab * a2 * b2;
        out.metric[3][i] = wl * l0 * l1 + waa * a0 * a1 + wbb * b0 * b1 + wab * (a0 * b1 + b0 * a1);
        out.metric[4][i] = wl * l0 * l2 + waa * a0 * a2 + wbb * b0 * b2 + wab * (a0 * b2 + b0 * a2);
        out.metric[5][i] = wl * l1 * l2 + waa * a1 * a2 + wbb * b1 * b2 + wab * (a1 * b2 + b1 * a2);
    }
}

}  // namespace pxm

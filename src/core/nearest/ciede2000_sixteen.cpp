#include "core/nearest/ciede2000_sixteen.h"

#include <algorithm>
#include <cmath>

#include "core/nearest/ciede2000_terms.h"

namespace pxm {

SixteenLab SixteenLabOf(const std::array<Lab, 16>& colours) {
    SixteenLab palette;
    for (std::size_t j = 0; j < 16; ++j) {
        palette.l[j] = static_cast<float>(colours[j].l);
        palette.a[j] = static_cast<float>(colours[j].a);
        palette.b[j] = static_cast<float>(colours[j].b);
        palette.chroma[j] = std::sqrt(palette.a[j] * palette.a[j] + palette.b[j] * palette.b[j]);
    }
    return palette;
}

std::array<float, 16> Ciede2000ToEach(const Lab& colour, const SixteenLab& palette) {
    const auto xl = static_cast<float>(colour.l);
    const auto xa = static_cast<float>(colour.a);
    const auto xb = static_cast<float>(colour.b);
    const float c1 = std::sqrt(xa * xa + xb * xb);
    std::array<float, 16> difference{};
    for (std::size_t j = 0; j < 16; ++j) {
        const float yl = palette.l[j];
        const float yb = palette.b[j];
        const float cMean7 = ciede2000::Seventh((c1 + palette.chroma[j]) / 2);
        const float g = 0.5f * (1 - std::sqrt(cMean7 / (cMean7 + ciede2000::TwentyFiveToTheSeventh)));
        const float a1 = (1 + g) * xa;
        const float a2 = (1 + g) * palette.a[j];
        const float cp1 = std::sqrt(a1 * a1 + xb * xb);
        const float cp2 = std::sqrt(a2 * a2 + yb * yb);
        const float dL = yl - xl;
        const float dC = cp2 - cp1;
        const ciede2000::HueComparison hue = ciede2000::CompareHues(a1, xb, cp1, a2, yb, cp2);
        const float dH = hue.difference;
        const float c = hue.meanC;
        const float s = hue.meanS;
        const float t = ciede2000::HueWeighing(c, s);
        const float cpMean = (cp1 + cp2) / 2;
        const float rT = ciede2000::BlueRotation(c, s, cpMean);
        const float lMean = (xl + yl) / 2;
        const float l50 = (lMean - 50) * (lMean - 50);
        const float sL = 1 + 0.015f * l50 / std::sqrt(20 + l50);
        const float sC = 1 + 0.045f * cpMean;
        const float sH = 1 + 0.015f * cpMean * t;
        const float tl = dL / sL;
        const float tc = dC / sC;
        const float th = dH / sH;
        difference[j] = std::sqrt(std::max(tl * tl + tc * tc + th * th + rT * tc * th, 0.0f));
    }
    return difference;
}

}  // namespace pxm

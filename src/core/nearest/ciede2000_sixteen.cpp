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
        // The hue difference dh (-pi to pi) by its half angle: the hue directions' difference
        // and sum are 2 sin(dh / 2) and 2 cos(dh / 2) long, the cross product gives the sign.
        const float in1 = cp1 > 0 ? 1 / cp1 : 0.0f;
        const float in2 = cp2 > 0 ? 1 / cp2 : 0.0f;
        const float u1x = a1 * in1;
        const float u1y = xb * in1;
        const float u2x = a2 * in2;
        const float u2y = yb * in2;
        const float halfCos = std::sqrt((u1x + u2x) * (u1x + u2x) + (u1y + u2y) * (u1y + u2y)) / 2;
        const float halfSin = std::copysign(std::sqrt((u2x - u1x) * (u2x - u1x) + (u2y - u1y) * (u2y - u1y)) / 2,
                                            u1x * u2y - u1y * u2x);
        const float dH = 2 * std::sqrt(cp1 * cp2) * halfSin;
        // The mean hue: the first hue turned by half of dh; without chroma a colour has no hue,
        // and the other's is the mean.
        const float c = cp1 > 0 ? (cp2 > 0 ? u1x * halfCos - u1y * halfSin : u1x) : (cp2 > 0 ? u2x : 1.0f);
        const float s = cp1 > 0 ? (cp2 > 0 ? u1y * halfCos + u1x * halfSin : u1y) : (cp2 > 0 ? u2y : 0.0f);
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

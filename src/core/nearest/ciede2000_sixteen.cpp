#include "core/nearest/ciede2000_sixteen.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace pxm {

namespace {

constexpr float Pi = std::numbers::pi_v<float>;
constexpr float Degree = Pi / 180;

constexpr float Seventh(float v) {
    const float v2 = v * v;
    return v2 * v2 * v2 * v;
}
constexpr float TwentyFiveToTheSeventh = Seventh(25);

// arctan on 0 to 1 (a minimax polynomial, error under 1e-5 radians).
float AtanOfUnit(float z) {
    const float z2 = z * z;
    return z * (0.99997726f +
                z2 * (-0.33262347f + z2 * (0.19354346f + z2 * (-0.11643287f + z2 * (0.05265332f + z2 * -0.01172120f)))));
}

// atan2, -pi to pi.
float Atan2(float y, float x) {
    const float ax = std::fabs(x);
    const float ay = std::fabs(y);
    const float larger = std::max(ax, ay);
    const float z = larger > 0 ? std::min(ax, ay) / larger : 0.0f;
    float angle = AtanOfUnit(z);
    angle = ay > ax ? Pi / 2 - angle : angle;
    angle = x < 0 ? Pi - angle : angle;
    return y < 0 ? -angle : angle;
}

// e^-q for q of 0 or more: 2^-n, made in the exponent bits, times a polynomial of the rest.
float ExpOfNegative(float q) {
    const float x = std::min(q, 80.0f) * std::numbers::log2e_v<float>;
    const auto n = static_cast<std::int32_t>(x);  // x >= 0: the cast is the floor
    const float t = (x - static_cast<float>(n)) * std::numbers::ln2_v<float>;  // 0 to ln 2
    const float rest =
        1 + t * (-1 + t * (1.0f / 2 + t * (-1.0f / 6 + t * (1.0f / 24 + t * (-1.0f / 120 + t * (1.0f / 720))))));
    return rest * std::bit_cast<float>((127 - n) << 23);
}

// sin on 0 to pi/3 (Taylor to the seventh power, error under 1e-5).
float SinOfSmall(float t) {
    const float t2 = t * t;
    return t * (1 + t2 * (-1.0f / 6 + t2 * (1.0f / 120 + t2 * (-1.0f / 5040))));
}

}  // namespace

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
    // The blue correction's hue centre, 275 degrees, as a direction to turn the mean hue by.
    const float cos275 = std::cos(275 * Degree);
    const float sin275 = std::sin(275 * Degree);
    std::array<float, 16> difference{};
    for (std::size_t j = 0; j < 16; ++j) {
        const float yl = palette.l[j];
        const float yb = palette.b[j];
        const float cMean7 = Seventh((c1 + palette.chroma[j]) / 2);
        const float g = 0.5f * (1 - std::sqrt(cMean7 / (cMean7 + TwentyFiveToTheSeventh)));
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
        const float cos2 = c * c - s * s;
        const float sin2 = 2 * s * c;
        const float cos3 = c * (4 * c * c - 3);
        const float sin3 = s * (3 - 4 * s * s);
        const float cos4 = 2 * cos2 * cos2 - 1;
        const float sin4 = 2 * sin2 * cos2;
        const float t = 1 - 0.17f * (c * std::cos(30 * Degree) + s * std::sin(30 * Degree)) + 0.24f * cos2 +
                        0.32f * (cos3 * std::cos(6 * Degree) - sin3 * std::sin(6 * Degree)) -
                        0.20f * (cos4 * std::cos(63 * Degree) + sin4 * std::sin(63 * Degree));
        // The mean hue less 275 degrees, -180 to 180 (where the formula's 0 to 360 gives
        // another value, both lie so far out that the correction is below 1e-5).
        const float off = Atan2(s * cos275 - c * sin275, c * cos275 + s * sin275) / (25 * Degree);
        const float dTheta = 30 * Degree * ExpOfNegative(off * off);
        const float cpMean = (cp1 + cp2) / 2;
        const float cpMean7 = Seventh(cpMean);
        const float rC = 2 * std::sqrt(cpMean7 / (cpMean7 + TwentyFiveToTheSeventh));
        const float lMean = (xl + yl) / 2;
        const float l50 = (lMean - 50) * (lMean - 50);
        const float sL = 1 + 0.015f * l50 / std::sqrt(20 + l50);
        const float sC = 1 + 0.045f * cpMean;
        const float sH = 1 + 0.015f * cpMean * t;
        const float rT = -SinOfSmall(2 * dTheta) * rC;
        const float tl = dL / sL;
        const float tc = dC / sC;
        const float th = dH / sH;
        difference[j] = std::sqrt(std::max(tl * tl + tc * tc + th * th + rT * tc * th, 0.0f));
    }
    return difference;
}

}  // namespace pxm

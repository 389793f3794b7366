#pragma once
// The parts of CIEDE2000 that its side-by-side form (ciede2000_sixteen) and the eye's local
// metric (local_metric) both take, in arithmetic alone, with no library call but the square
// root (the constants' cosines are folded when compiled): both give the same bits on every
// platform. A hue is given as its direction (c, s) = (cos h', sin h') in the a'b' plane.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace pxm::ciede2000 {

inline constexpr float Pi = std::numbers::pi_v<float>;
inline constexpr float Degree = Pi / 180;

constexpr float Seventh(float v) {
    const float v2 = v * v;
    return v2 * v2 * v2 * v;
}
inline constexpr float TwentyFiveToTheSeventh = Seventh(25);

// arctan on 0 to 1 (a minimax polynomial, error under 1e-5 radians).
inline float AtanOfUnit(float z) {
    const float z2 = z * z;
    return z * (0.99997726f +
                z2 * (-0.33262347f + z2 * (0.19354346f + z2 * (-0.11643287f + z2 * (0.05265332f + z2 * -0.01172120f)))));
}

// atan2, -pi to pi.
inline float Atan2(float y, float x) {
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
inline float ExpOfNegative(float q) {
    const float x = std::min(q, 80.0f) * std::numbers::log2e_v<float>;
    const auto n = static_cast<std::int32_t>(x);  // x >= 0: the cast is the floor
    const float t = (x - static_cast<float>(n)) * std::numbers::ln2_v<float>;  // 0 to ln 2
    const float rest =
        1 + t * (-1 + t * (1.0f / 2 + t * (-1.0f / 6 + t * (1.0f / 24 + t * (-1.0f / 120 + t * (1.0f / 720))))));
    return rest * std::bit_cast<float>((127 - n) << 23);
}

// sin on 0 to pi/3 (Taylor to the seventh power, error under 1e-5).
inline float SinOfSmall(float t) {
    const float t2 = t * t;
    return t * (1 + t2 * (-1.0f / 6 + t2 * (1.0f / 120 + t2 * (-1.0f / 5040))));
}

// Two colours' hues compared, each given by a' and b* and its chroma C': the hue difference
// ΔH' and the mean hue's direction, by half-angle formulas (the hue directions' difference and
// sum are 2 sin(dh / 2) and 2 cos(dh / 2) long, the cross product gives the sign), and the
// second colour's own direction. Without chroma a colour has no hue: the other's is the mean.
struct HueComparison {
    float difference;  // ΔH'
    float meanC;       // the mean hue's direction
    float meanS;
    float secondC;  // the second colour's direction, (0, 0) without chroma
    float secondS;
};
inline HueComparison CompareHues(float a1, float b1, float c1, float a2, float b2, float c2) {
    const float in1 = c1 > 0 ? 1 / c1 : 0.0f;
    const float in2 = c2 > 0 ? 1 / c2 : 0.0f;
    const float u1x = a1 * in1;
    const float u1y = b1 * in1;
    const float u2x = a2 * in2;
    const float u2y = b2 * in2;
    const float halfCos = std::sqrt((u1x + u2x) * (u1x + u2x) + (u1y + u2y) * (u1y + u2y)) / 2;
    const float halfSin =
        std::copysign(std::sqrt((u2x - u1x) * (u2x - u1x) + (u2y - u1y) * (u2y - u1y)) / 2, u1x * u2y - u1y * u2x);
    // The mean hue: the first hue turned by half of dh.
    const float c = c1 > 0 ? (c2 > 0 ? u1x * halfCos - u1y * halfSin : u1x) : (c2 > 0 ? u2x : 1.0f);
    const float s = c1 > 0 ? (c2 > 0 ? u1y * halfCos + u1x * halfSin : u1y) : (c2 > 0 ? u2y : 0.0f);
    return {2 * std::sqrt(c1 * c2) * halfSin, c, s, u2x, u2y};
}

// T: how finely the eye tells hues apart at hue (c, s), from the multiple-angle formulas.
inline float HueWeighing(float c, float s) {
    const float cos2 = c * c - s * s;
    const float sin2 = 2 * s * c;
    const float cos3 = c * (4 * c * c - 3);
    const float sin3 = s * (3 - 4 * s * s);
    const float cos4 = 2 * cos2 * cos2 - 1;
    const float sin4 = 2 * sin2 * cos2;
    return 1 - 0.17f * (c * std::cos(30 * Degree) + s * std::sin(30 * Degree)) + 0.24f * cos2 +
           0.32f * (cos3 * std::cos(6 * Degree) - sin3 * std::sin(6 * Degree)) -
           0.20f * (cos4 * std::cos(63 * Degree) + sin4 * std::sin(63 * Degree));
}

// R_T: how much chroma and hue differences are seen together in the blues, at hue (c, s) and
// chroma C'.
inline float BlueRotation(float c, float s, float chroma) {
    // The hue less 275 degrees, -180 to 180 (where the formula's 0 to 360 gives another value,
    // both lie so far out that the rotation is below 1e-5).
    const float cos275 = std::cos(275 * Degree);
    const float sin275 = std::sin(275 * Degree);
    const float off = Atan2(s * cos275 - c * sin275, c * cos275 + s * sin275) / (25 * Degree);
    const float dTheta = 30 * Degree * ExpOfNegative(off * off);
    const float chroma7 = Seventh(chroma);
    const float rC = 2 * std::sqrt(chroma7 / (chroma7 + TwentyFiveToTheSeventh));
    return -SinOfSmall(2 * dTheta) * rC;
}

}  // namespace pxm::ciede2000

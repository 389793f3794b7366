#include "core/nearest/colour_space.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pxm {

namespace {

// The tables are made on first use, not as the program starts: colours may be converted by
// other files' static objects, in whatever order those are made.
const std::array<float, 256>& ByteToLinear() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const float v = static_cast<float>(i) / 255.0f;
            t[static_cast<std::size_t>(i)] = v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
        }
        return t;
    }();
    return table;
}

// CIELAB's f(t) = cube root above (6/29)^3, linear below; tabulated over 0 to 1 with linear
// interpolation, which keeps the dithering's per-pixel conversions cheap (error below 1e-4 in L).
constexpr int LabSteps = 4096;
const std::array<float, LabSteps + 2>& LabCurve() {
    static const std::array<float, LabSteps + 2> table = [] {
        std::array<float, LabSteps + 2> t{};
        for (int i = 0; i <= LabSteps + 1; ++i) {
            const double x = static_cast<double>(i) / LabSteps;
            constexpr double Epsilon = 216.0 / 24389.0;
            constexpr double Kappa = 24389.0 / 27.0;
            t[static_cast<std::size_t>(i)] = static_cast<float>(x > Epsilon ? std::cbrt(x) : (Kappa * x + 16.0) / 116.0);
        }
        return t;
    }();
    return table;
}

}  // namespace

float CielabF(float t) {
    const float x = std::clamp(t, 0.0f, 1.0f) * LabSteps;
    const auto i = static_cast<std::size_t>(x);
    const float frac = x - static_cast<float>(i);
    const auto& curve = LabCurve();
    return curve[i] + frac * (curve[i + 1] - curve[i]);
}

float LinearFromByte(std::uint8_t value) { return ByteToLinear()[value]; }

LinearRgb LinearOf(Rgb colour) {
    const auto& linear = ByteToLinear();
    return {linear[colour.r], linear[colour.g], linear[colour.b]};
}

Lab LabOf(LinearRgb c) {
    const float r = std::clamp(c.r, 0.0f, 1.0f);
    const float g = std::clamp(c.g, 0.0f, 1.0f);
    const float b = std::clamp(c.b, 0.0f, 1.0f);
    const auto f = [&](std::size_t i) { return CielabF(LinearToXyz[i][0] * r + LinearToXyz[i][1] * g + LinearToXyz[i][2] * b); };
    const float fx = f(0);
    const float fy = f(1);
    const float fz = f(2);
    return {116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
}

namespace {

constexpr double Seventh(double v) {
    const double v2 = v * v;
    return v2 * v2 * v2 * v;
}

}  // namespace

double Ciede2000(const Lab& x, const Lab& y) {
    using std::atan2, std::cos, std::exp, std::sin, std::sqrt, std::abs;
    constexpr double Pi = std::numbers::pi;
    constexpr double Degree = Pi / 180;
    constexpr double TwentyFiveToTheSeventh = Seventh(25);
    const double xl = x.l, xa = x.a, xb = x.b;
    const double yl = y.l, ya = y.a, yb = y.b;
    const double c1 = sqrt(xa * xa + xb * xb);
    const double c2 = sqrt(ya * ya + yb * yb);
    const double cMean7 = Seventh((c1 + c2) / 2);
    const double g = 0.5 * (1 - sqrt(cMean7 / (cMean7 + TwentyFiveToTheSeventh)));
    const double a1 = (1 + g) * xa;
    const double a2 = (1 + g) * ya;
    const double cp1 = sqrt(a1 * a1 + xb * xb);
    const double cp2 = sqrt(a2 * a2 + yb * yb);
    const auto hue = [](double b, double a) {
        if (a == 0 && b == 0) return 0.0;
        const double h = atan2(b, a);
        return h < 0 ? h + 2 * Pi : h;
    };
    const double h1 = hue(xb, a1);
    const double h2 = hue(yb, a2);
    const double dL = yl - xl;
    const double dC = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > Pi) dh -= 2 * Pi;
        else if (dh < -Pi) dh += 2 * Pi;
    }
    const double dH = 2 * sqrt(cp1 * cp2) * sin(dh / 2);
    const double lMean = (xl + yl) / 2;
    const double cpMean = (cp1 + cp2) / 2;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (abs(h1 - h2) <= Pi) hMean /= 2;
        else hMean = (h1 + h2 < 2 * Pi) ? (h1 + h2 + 2 * Pi) / 2 : (h1 + h2 - 2 * Pi) / 2;
    }
    // The reference: the formula as published (the fast form rearranges it).
    const double t = 1 - 0.17 * cos(hMean - 30 * Degree) + 0.24 * cos(2 * hMean) + 0.32 * cos(3 * hMean + 6 * Degree) -
                     0.20 * cos(4 * hMean - 63 * Degree);
    const double hueOff = (hMean / Degree - 275) / 25;
    const double dTheta = 30 * Degree * exp(-hueOff * hueOff);
    const double cpMean7 = Seventh(cpMean);
    const double rC = 2 * sqrt(cpMean7 / (cpMean7 + TwentyFiveToTheSeventh));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sL = 1 + 0.015 * l50 / sqrt(20 + l50);
    const double sC = 1 + 0.045 * cpMean;
    const double sH = 1 + 0.015 * cpMean * t;
    const double rT = -sin(2 * dTheta) * rC;
    const double tl = dL / sL;
    const double tc = dC / sC;
    const double th = dH / sH;
    return sqrt(tl * tl + tc * tc + th * th + rT * tc * th);
}

}  // namespace pxm

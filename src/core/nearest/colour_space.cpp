#include "core/nearest/colour_space.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pxm {

namespace {

const std::array<float, 256> ByteToLinear = [] {
    std::array<float, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const float v = static_cast<float>(i) / 255.0f;
        table[static_cast<std::size_t>(i)] = v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
    }
    return table;
}();

// CIELAB's f(t) = cube root above (6/29)^3, linear below; tabulated over 0 to 1 with linear
// interpolation, which keeps the dithering's per-pixel conversions cheap (error below 1e-4 in L).
constexpr int LabSteps = 4096;
const std::array<float, LabSteps + 2> LabCurve = [] {
    std::array<float, LabSteps + 2> table{};
    for (int i = 0; i <= LabSteps + 1; ++i) {
        const double t = static_cast<double>(i) / LabSteps;
        constexpr double Epsilon = 216.0 / 24389.0;
        constexpr double Kappa = 24389.0 / 27.0;
        table[static_cast<std::size_t>(i)] =
            static_cast<float>(t > Epsilon ? std::cbrt(t) : (Kappa * t + 16.0) / 116.0);
    }
    return table;
}();

float LabF(float t) {
    const float x = std::clamp(t, 0.0f, 1.0f) * LabSteps;
    const auto i = static_cast<std::size_t>(x);
    const float frac = x - static_cast<float>(i);
    return LabCurve[i] + frac * (LabCurve[i + 1] - LabCurve[i]);
}

}  // namespace

float LinearFromByte(std::uint8_t value) { return ByteToLinear[value]; }

LinearRgb LinearOf(Rgb colour) { return {ByteToLinear[colour.r], ByteToLinear[colour.g], ByteToLinear[colour.b]}; }

Lab LabOf(LinearRgb c) {
    const float r = std::clamp(c.r, 0.0f, 1.0f);
    const float g = std::clamp(c.g, 0.0f, 1.0f);
    const float b = std::clamp(c.b, 0.0f, 1.0f);
    // sRGB primaries to XYZ, relative to the D65 white (each row sums to 1).
    const float fx = LabF((0.4124564f * r + 0.3575761f * g + 0.1804375f * b) / 0.95047f);
    const float fy = LabF(0.2126729f * r + 0.7151522f * g + 0.0721750f * b);
    const float fz = LabF((0.0193339f * r + 0.1191920f * g + 0.9503041f * b) / 1.08883f);
    return {116.0f * fy - 16.0f, 500.0f * (fx - fy), 200.0f * (fy - fz)};
}

namespace {

constexpr double Seventh(double v) {
    const double v2 = v * v;
    return v2 * v2 * v2 * v;
}
constexpr double TwentyFiveToTheSeventh = Seventh(25.0);

}  // namespace

double Ciede2000(Lab x, Lab y) {
    using std::atan2, std::cos, std::exp, std::sin, std::sqrt, std::abs;
    constexpr double Pi = std::numbers::pi;
    constexpr double Degree = Pi / 180.0;
    const double c1 = sqrt(double{x.a} * x.a + double{x.b} * x.b);
    const double c2 = sqrt(double{y.a} * y.a + double{y.b} * y.b);
    const double cMean7 = Seventh((c1 + c2) / 2.0);
    const double g = 0.5 * (1.0 - sqrt(cMean7 / (cMean7 + TwentyFiveToTheSeventh)));
    const double a1 = (1.0 + g) * x.a;
    const double a2 = (1.0 + g) * y.a;
    const double cp1 = sqrt(a1 * a1 + double{x.b} * x.b);
    const double cp2 = sqrt(a2 * a2 + double{y.b} * y.b);
    const auto hue = [](double b, double a) {
        if (a == 0.0 && b == 0.0) return 0.0;
        const double h = atan2(b, a);
        return h < 0.0 ? h + 2.0 * Pi : h;
    };
    const double h1 = hue(x.b, a1);
    const double h2 = hue(y.b, a2);
    const double dL = double{y.l} - x.l;
    const double dC = cp2 - cp1;
    double dh = 0.0;
    if (cp1 * cp2 != 0.0) {
        dh = h2 - h1;
        if (dh > Pi) dh -= 2.0 * Pi;
        else if (dh < -Pi) dh += 2.0 * Pi;
    }
    const double dH = 2.0 * sqrt(cp1 * cp2) * sin(dh / 2.0);
    const double lMean = (double{x.l} + y.l) / 2.0;
    const double cpMean = (cp1 + cp2) / 2.0;
    double hMean = h1 + h2;
    if (cp1 * cp2 != 0.0) {
        if (abs(h1 - h2) <= Pi) hMean /= 2.0;
        else hMean = (h1 + h2 < 2.0 * Pi) ? (h1 + h2 + 2.0 * Pi) / 2.0 : (h1 + h2 - 2.0 * Pi) / 2.0;
    }
    // The four cosines of T from one sine and cosine, by the multiple-angle formulas: the search
    // asks for many thousand differences a picture.
    const double c = cos(hMean);
    const double s = sin(hMean);
    const double cos2 = c * c - s * s;
    const double sin2 = 2.0 * s * c;
    const double cos3 = c * (4.0 * c * c - 3.0);
    const double sin3 = s * (3.0 - 4.0 * s * s);
    const double cos4 = 2.0 * cos2 * cos2 - 1.0;
    const double sin4 = 2.0 * sin2 * cos2;
    const double t = 1.0 - 0.17 * (c * cos(30.0 * Degree) + s * sin(30.0 * Degree)) + 0.24 * cos2 +
                     0.32 * (cos3 * cos(6.0 * Degree) - sin3 * sin(6.0 * Degree)) -
                     0.20 * (cos4 * cos(63.0 * Degree) + sin4 * sin(63.0 * Degree));
    const double hueOff = (hMean / Degree - 275.0) / 25.0;
    const double dTheta = 30.0 * Degree * exp(-hueOff * hueOff);
    const double cpMean7 = Seventh(cpMean);
    const double rC = 2.0 * sqrt(cpMean7 / (cpMean7 + TwentyFiveToTheSeventh));
    const double l50 = (lMean - 50.0) * (lMean - 50.0);
    const double sL = 1.0 + 0.015 * l50 / sqrt(20.0 + l50);
    const double sC = 1.0 + 0.045 * cpMean;
    const double sH = 1.0 + 0.015 * cpMean * t;
    const double rT = -sin(2.0 * dTheta) * rC;
    const double tl = dL / sL;
    const double tc = dC / sC;
    const double th = dH / sH;
    return sqrt(tl * tl + tc * tc + th * th + rT * tc * th);
}

}  // namespace pxm

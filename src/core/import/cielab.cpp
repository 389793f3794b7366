#include "core/import/cielab.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace pxm {

namespace {

// An sRGB channel value made linear, for each of the 256 values, worked out once: the power is
// most of the cost of a conversion.
double Linear(std::uint8_t channel) {
    static const auto table = [] {
        std::array<double, 256> linear{};
        for (std::size_t v = 0; v < linear.size(); ++v) {
            const double c = static_cast<double>(v) / 255.0;
            linear[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return linear;
    }();
    return table[channel];
}

// CIELAB's companding of a relative XYZ value.
double Companded(double t) {
    constexpr double Epsilon = 216.0 / 24389.0;
    constexpr double Kappa = 24389.0 / 27.0;
    return t > Epsilon ? std::cbrt(t) : (Kappa * t + 16.0) / 116.0;
}

}  // namespace

Lab LabOf(Rgb colour) {
    const double r = Linear(colour.r);
    const double g = Linear(colour.g);
    const double b = Linear(colour.b);
    // sRGB to XYZ, each relative to the D65 white.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = Companded(x);
    const double fy = Companded(y);
    const double fz = Companded(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

}  // namespace pxm

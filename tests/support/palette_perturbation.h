#pragma once
// Palettes that are in no list, made the way published C64 palettes differ from each other: a
// hue turned (in the YUV colour plane, where the VIC-II's colours are defined), a brightness step
// moved, every colour shifted a little.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "core/palette/rgb.h"

namespace pxm::test {

using Colours = std::array<Rgb, 16>;

inline std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

// The colour's hue turned by `degrees` around the grey axis, its brightness (Y) kept.
inline Rgb HueTurned(Rgb c, double degrees) {
    const double y = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    const double u = c.b - y;
    const double v = c.r - y;
    const double t = degrees * std::numbers::pi / 180.0;
    const double u2 = u * std::cos(t) - v * std::sin(t);
    const double v2 = u * std::sin(t) + v * std::cos(t);
    const double r = v2 + y;
    const double b = u2 + y;
    return {Channel(r), Channel((y - 0.299 * r - 0.114 * b) / 0.587), Channel(b)};
}

inline Rgb Brighter(Rgb c, int amount) { return {Channel(c.r + amount), Channel(c.g + amount), Channel(c.b + amount)}; }

inline Rgb Shifted(Rgb c, int r, int g, int b) { return {Channel(c.r + r), Channel(c.g + g), Channel(c.b + b)}; }

}  // namespace pxm::test

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

// The C64's brightness steps shared by two colours: blue and brown, red and dark grey, purple
// and orange, medium grey and light blue, green and light red, cyan and light grey, yellow and
// light green. The RGB distance moved is the amount times 1.7 (√3).
inline Colours StepMoved(Colours colours, int first, int second, int amount) {
    for (const int c : {first, second}) {
        auto& colour = colours[static_cast<std::size_t>(c)];
        colour = Brighter(colour, amount);
    }
    return colours;
}

inline Colours AllHuesTurned(Colours colours, double degrees) {
    for (Rgb& c : colours) c = HueTurned(c, degrees);
    return colours;
}

inline Colours HueTurnedOf(Colours colours, int c, double degrees) {
    colours[static_cast<std::size_t>(c)] = HueTurned(colours[static_cast<std::size_t>(c)], degrees);
    return colours;
}

inline Colours AllShifted(Colours colours, int r, int g, int b) {
    for (Rgb& c : colours) c = Shifted(c, r, g, b);
    return colours;
}

}  // namespace pxm::test

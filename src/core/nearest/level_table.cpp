#include "core/nearest/level_table.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace pxm {

namespace {

constexpr int LinearSteps = 4096;

// Linear light to the nearest 5-bit sRGB level, tabulated finely enough that even the darkest
// levels (where sRGB is steepest) are told apart. Made on first use: a table may be made by
// another file's static object.
const std::array<std::uint8_t, LinearSteps + 1>& LevelOfLinear() {
    static const std::array<std::uint8_t, LinearSteps + 1> table = [] {
        std::array<std::uint8_t, LinearSteps + 1> t{};
        for (int i = 0; i <= LinearSteps; ++i) {
            const double v = static_cast<double>(i) / LinearSteps;
            const double srgb = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
            t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::lround(srgb * (LevelsPerChannel - 1)));
        }
        return t;
    }();
    return table;
}

std::size_t LevelOf(float v) {
    return LevelOfLinear()[static_cast<std::size_t>(std::clamp(v, 0.0f, 1.0f) * LinearSteps + 0.5f)];
}

std::uint8_t ByteOfLevel(std::size_t level) {
    return static_cast<std::uint8_t>((level * 255 + (LevelsPerChannel - 1) / 2) / (LevelsPerChannel - 1));
}

}  // namespace

std::size_t LevelKeyOf(LinearRgb colour) {
    return (LevelOf(colour.r) * LevelsPerChannel + LevelOf(colour.g)) * LevelsPerChannel + LevelOf(colour.b);
}

Rgb ColourOfLevelKey(std::size_t key) {
    constexpr std::size_t Levels = LevelsPerChannel;
    return {ByteOfLevel(key / (Levels * Levels)), ByteOfLevel(key / Levels % Levels), ByteOfLevel(key % Levels)};
}

}  // namespace pxm

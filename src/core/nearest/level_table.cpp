#include "core/nearest/level_table.h"

#include <cmath>

namespace pxm {

namespace {

std::uint8_t ByteOfLevel(std::size_t level) {
    return static_cast<std::uint8_t>((level * 255 + (LevelsPerChannel - 1) / 2) / (LevelsPerChannel - 1));
}

}  // namespace

const LevelsOfLinear& LevelOfLinear() {
    static const LevelsOfLinear table = [] {
        LevelsOfLinear t{};
        for (int i = 0; i <= LinearSteps; ++i) {
            const double v = static_cast<double>(i) / LinearSteps;
            const double srgb = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
            t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::lround(srgb * (LevelsPerChannel - 1)));
        }
        return t;
    }();
    return table;
}

Rgb ColourOfLevelKey(std::size_t key) {
    constexpr std::size_t Levels = LevelsPerChannel;
    return {ByteOfLevel(key / (Levels * Levels)), ByteOfLevel(key / Levels % Levels), ByteOfLevel(key % Levels)};
}

}  // namespace pxm

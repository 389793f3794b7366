#include "core/nearest/palette_distances.h"

#include <algorithm>
#include <cmath>

namespace pxm {

namespace {

constexpr int Levels = 32;  // 5 bits a channel
constexpr int LinearSteps = 4096;

// Linear light to the nearest 5-bit sRGB level, tabulated finely enough that even the darkest
// levels (where sRGB is steepest) are told apart. Made on first use: a table of differences may
// be made by another file's static object.
const std::array<std::uint8_t, LinearSteps + 1>& LevelOfLinear() {
    static const std::array<std::uint8_t, LinearSteps + 1> table = [] {
        std::array<std::uint8_t, LinearSteps + 1> t{};
        for (int i = 0; i <= LinearSteps; ++i) {
            const double v = static_cast<double>(i) / LinearSteps;
            const double srgb = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
            t[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::lround(srgb * (Levels - 1)));
        }
        return t;
    }();
    return table;
}

int LevelOf(float v) {
    return LevelOfLinear()[static_cast<std::size_t>(std::clamp(v, 0.0f, 1.0f) * LinearSteps + 0.5f)];
}

std::uint8_t ByteOfLevel(int level) { return static_cast<std::uint8_t>((level * 255 + (Levels - 1) / 2) / (Levels - 1)); }

}  // namespace

const ColourDifferences& PaletteDistances::Of(LinearRgb colour) {
    const int r = LevelOf(colour.r);
    const int g = LevelOf(colour.g);
    const int b = LevelOf(colour.b);
    const auto key = static_cast<std::size_t>((r * Levels + g) * Levels + b);
    if (slot_[key] == 0) {
        const Lab lab = LabOf(Rgb{ByteOfLevel(r), ByteOfLevel(g), ByteOfLevel(b)});
        const std::array<float, 16> differences = Ciede2000ToEach(lab, lab_);
        ColourDifferences& entry = known_.emplace_back();
        for (std::size_t c = 0; c < 16; ++c) {
            entry.to[c] = static_cast<std::int16_t>(std::min(differences[c] * DifferenceScale, 32000.0f));
            // An insertion sort, nearest first; of two as near, the lower number stays first.
            std::size_t k = c;
            for (; k > 0 && entry.to[entry.nearest[k - 1]] > entry.to[c]; --k) entry.nearest[k] = entry.nearest[k - 1];
            entry.nearest[k] = static_cast<std::uint8_t>(c);
        }
        slot_[key] = static_cast<std::uint16_t>(known_.size());
    }
    return known_[slot_[key] - 1u];
}

PixelDifferences DifferencesOfPixels(const NearestTarget& target, PaletteDistances& distances) {
    PixelDifferences pixels(TargetPixelCount);
    for (std::size_t at = 0; at < TargetPixelCount; ++at) {
        if (target.Inside(at)) pixels[at] = &distances.Of(target.colours[at]);
    }
    return pixels;
}

}  // namespace pxm

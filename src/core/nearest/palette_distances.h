#pragma once
// CIEDE2000 from any colour to the sixteen of a palette, as the search and the dithering ask for
// it thousands of times a picture: kept per colour rounded to 5 bits a channel (level_table.h),
// 32 bytes for each colour met.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/nearest/ciede2000_sixteen.h"
#include "core/nearest/level_table.h"
#include "core/nearest/mode_colours.h"
#include "core/nearest/nearest_target.h"

namespace pxm {

inline constexpr float DifferenceScale = 32.0f;  // the differences in 1/32 units, in 16 bits

// A colour's differences to the sixteen palette colours, and their order.
struct ColourDifferences {
    std::array<std::int16_t, 16> to{};       // CIEDE2000 times DifferenceScale
    std::array<std::uint8_t, 16> nearest{};  // the palette colours nearest first; of two as near, the lower number
};

class PaletteDistances {
public:
    explicit PaletteDistances(const ShownColours& shown) : shown_(shown), lab_(SixteenLabOf(shown.lab)) {}

    const ShownColours& shown() const { return shown_; }
    const ColourDifferences& Of(LinearRgb colour);
    // Every colour given looked up at once, the new ones worked out with the second thread.
    void Prepare(std::span<const LinearRgb> colours, SecondThread* second);
    // The CIEDE2000 difference from the colour to each palette colour, times DifferenceScale.
    const std::array<std::int16_t, 16>& To(LinearRgb colour) { return Of(colour).to; }

private:
    ShownColours shown_;
    SixteenLab lab_;
    LevelTable<ColourDifferences> known_;
};

// Each pixel's differences (null for a pixel outside the picture), looked up once for the search;
// the new ones worked out with the second thread where one is given.
using PixelDifferences = std::vector<const ColourDifferences*>;
PixelDifferences DifferencesOfPixels(const NearestTarget& target, PaletteDistances& distances, SecondThread* second = nullptr);

}  // namespace pxm

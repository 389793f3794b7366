#pragma once
// CIEDE2000 from any colour to the sixteen of a palette, as the search and the dithering ask for
// it thousands of times a picture: colours rounded to 5 bits a channel in sRGB (32768 of them),
// each one's sixteen differences worked out the first time it is asked for and kept.
#include <array>
#include <cstdint>
#include <vector>

#include "core/nearest/mode_colours.h"

namespace pxm {

inline constexpr float DifferenceScale = 32.0f;  // the differences in 1/32 units, in 16 bits

class PaletteDistances {
public:
    explicit PaletteDistances(const ShownColours& shown) : shown_(shown) {}

    const ShownColours& shown() const { return shown_; }
    // The CIEDE2000 difference from the colour to each palette colour, times DifferenceScale.
    const std::array<std::int16_t, 16>& To(LinearRgb colour);

private:
    ShownColours shown_;
    std::vector<std::array<std::int16_t, 16>> table_ = std::vector<std::array<std::int16_t, 16>>(1 << 15);
    std::vector<bool> known_ = std::vector<bool>(1 << 15);
};

}  // namespace pxm

#pragma once
// A picture file as its decoder hands it over: every pixel's colour and, for a file with a colour
// table, every pixel's index into it. Rows from the top, pixels from the left.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/palette/rgb.h"

namespace pxm {

struct DecodedPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> rgb;               // width * height colours
    std::vector<std::uint8_t> indexes;  // width * height table indexes; empty without a table
    std::vector<std::uint8_t> alpha;    // width * height opacities, 255 opaque; empty: all opaque

    bool Indexed() const { return !indexes.empty(); }
    bool Opaque(std::size_t at) const { return alpha.empty() || alpha[at] == 255; }
    std::size_t At(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
    }
};

// Colours and alpha from rows of 8-bit RGBA, stride bytes apart (a decoder's output): width and
// height as the picture already holds them.
void TakeRgbaRows(DecodedPicture& picture, std::span<const std::uint8_t> rgba, std::size_t stride);

}  // namespace pxm

#pragma once
// Pictures in the C64's colours that the converter's and the library's tests convert: pixel art
// whose every cell fits, one whose cells clash in known places, and a smooth photograph.
#include <array>
#include <cmath>
#include <cstdint>
#include <set>

#include "core/palette/c64_palettes.h"

namespace pxm::test {

inline const C64Palette& PeptoPalette() { return C64Palettes[DefaultPalette]; }
inline Rgb PeptoColour(int n) { return PeptoPalette().colours[static_cast<std::size_t>(n)]; }
inline std::uint32_t PeptoHex(int n) { return Packed(PeptoColour(n)); }

// Colour numbers of pixel x, y of a 320x200 picture: each cell background 0 and three more,
// pairs equal.
inline int Fitting(int x, int y) {
    const int cell = (y / 8) * 40 + x / 8;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((x / 2 % 4 + y % 8) % 4)];
}

// Cells n % 13 == 0 hold five colours, n % 17 == 0 (the others) four with blue (6), the rest
// black and one colour of their row.
inline int Clashing(int x, int y) {
    const int cell = y / 8 * 40 + x / 8;
    const int pixel = x / 2 % 4 + y % 8;
    if (cell % 13 == 0) return 1 + pixel % 5;
    if (cell % 17 == 0) return std::array{0, 6, 7, 8}[static_cast<std::size_t>(pixel % 4)];
    return pixel % 2 == 0 ? 0 : 9 + y / 8 % 6;
}

// Counted here: the cells of a 320x200 picture of colour numbers that hold more than three
// colours besides the background.
template <class Numbers>
std::set<int> CrowdedCells(const Numbers& picture, int background) {
    std::set<int> cells;
    for (int cell = 0; cell < 1000; ++cell) {
        std::set<int> colours;
        for (int y = 8 * (cell / 40); y < 8 * (cell / 40) + 8; ++y) {
            for (int x = 8 * (cell % 40); x < 8 * (cell % 40) + 8; ++x) colours.insert(picture(x, y));
        }
        colours.erase(background);
        if (colours.size() > 3) cells.insert(cell);
    }
    return cells;
}

// 0xRRGGBB of a photograph of smooth colour: `step` says how fast each channel changes.
inline std::uint32_t SmoothPhoto(int x, int y, double step = 1.0) {
    const auto c = [](double v) { return static_cast<std::uint32_t>(127.5 + 120 * std::sin(v)); };
    return c(x * 0.01 * step) << 16 | c(y * 0.013 * step + 1) << 8 | c((x + y) * 0.007 * step + 2);
}

}  // namespace pxm::test

#pragma once
// A colour as 8-bit red, green and blue, and how far apart two colours are.
#include <cstdint>

namespace pxm {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// The colour as 0xRRGGBB, a key for lookups.
constexpr std::uint32_t Packed(Rgb c) { return std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b; }

// Squared distance in RGB space.
constexpr int DistanceSquared(Rgb a, Rgb b) {
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace pxm

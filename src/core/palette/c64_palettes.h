#pragma once
// The published C64 palettes: the RGB that emulators and paint programs give the sixteen C64
// colours, as artists' pictures hold them. One palette a row, colours 0 to 15 as 0xRRGGBB.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/palette/rgb.h"

namespace pxm {

struct C64Palette {
    std::string_view name;
    std::array<Rgb, 16> colours;  // by C64 colour number
};

namespace detail {
constexpr std::array<Rgb, 16> Colours(const std::array<std::uint32_t, 16>& hex) {
    std::array<Rgb, 16> colours{};
    for (std::size_t c = 0; c < hex.size(); ++c) {
        colours[c] = {static_cast<std::uint8_t>(hex[c] >> 16), static_cast<std::uint8_t>(hex[c] >> 8),
                      static_cast<std::uint8_t>(hex[c])};
    }
    return colours;
}
}  // namespace detail

inline constexpr std::array<C64Palette, 13> C64Palettes{{
    {"vice",
     detail::Colours({0x000000, 0xFFFFFF, 0xBC5241, 0x8FEFFB, 0xB956EB, 0x7EDB40, 0x553FE4, 0xFFFF77,
                      0xC17B1D, 0x826300, 0xF49486, 0x727272, 0xA4A4A4, 0xCDFF98, 0x9E8DFF, 0xD5D5D5})},
    {"vice old lum",
     detail::Colours({0x000000, 0xFFFFFF, 0xA93826, 0xAEFFFF, 0xDF82FF, 0x7EDB40, 0x553FE4, 0xF7FF6D,
                      0xE7A453, 0x826300, 0xF49486, 0x5C5C5C, 0xB0B0B0, 0xC4FF8F, 0xAA99FF, 0xF2F2F2})},
    {"pantaloon",
     detail::Colours({0x000000, 0xFFFFFF, 0x68372B, 0x83F0DC, 0x6F3D86, 0x59CD36, 0x4137CD, 0xB8C76F,
                      0xD17F30, 0x433900, 0x9A6759, 0x5B5B5B, 0x8E8E8E, 0x9DFF9D, 0x75A1EC, 0xC1C1C1})},
    {"perplex 2",
     detail::Colours({0x000000, 0xFFFFFF, 0xCD3100, 0x81FFD8, 0xEB4CE1, 0x69F700, 0x2A19DD, 0xFFFF5B,
                      0xE46A00, 0x75482A, 0xFFA196, 0x707070, 0xB0B0B0, 0xB9FFB9, 0x69C4FF, 0xEBEBEB})},
    {"vice 3.7.1 internal",
     detail::Colours({0x000000, 0xFFFFFF, 0xAF3C58, 0x7EF3D6, 0xAA40F5, 0x62D532, 0x2C3DEC, 0xFFFF46,
                      0xB7631E, 0x775300, 0xEE7B95, 0x626262, 0x949494, 0xB7FF86, 0x7385FF, 0xCDCDCD})},
    {"lenyn",
     detail::Colours({0x000000, 0xFFFFFF, 0x9D4B32, 0x82CDDF, 0x9D4AD7, 0x72BE28, 0x4A32D4, 0xDDEE56,
                      0xA36F05, 0x6D5A00, 0xCE846F, 0x646464, 0x8F8F8F, 0xB6FB78, 0x8A76FF, 0xBABABA})},
    {"pepto",
     detail::Colours({0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43, 0x352879, 0xB8C76F,
                      0x6F4F25, 0x433900, 0x9A6759, 0x444444, 0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595})},
    {"archmage",
     detail::Colours({0x000000, 0xFFFFFF, 0x894037, 0x7ABFC7, 0x8A46AE, 0x68A941, 0x3E31A2, 0xD0DC71,
                      0x905F25, 0x5C4700, 0xBB776D, 0x555555, 0x808080, 0xACEA88, 0x7C70DA, 0xABABAB})},
    {"electric",
     detail::Colours({0x000000, 0xFFFFFF, 0x8B1F00, 0x6FDFB7, 0xA73B9F, 0x4AB510, 0x080094, 0xF3EB5B,
                      0xA54200, 0x632918, 0xCB7B6F, 0x454444, 0x9F9F9F, 0x94FF94, 0x4A94D6, 0xBDBDBD})},
    {"ste",
     detail::Colours({0x000000, 0xFFFFFF, 0xC83535, 0x83F0DC, 0xCC59C6, 0x59CD36, 0x4137CD, 0xF7EE59,
                      0xD17F30, 0x915F33, 0xF99B97, 0x5B5B5B, 0x8E8E8E, 0x9DFF9D, 0x75A1EC, 0xC1C1C1})},
    {"perplex 1",
     detail::Colours({0x000000, 0xFDFEFC, 0xBE1A24, 0x30E6C6, 0xB41AE2, 0x1FD21E, 0x211BAE, 0xDFF60A,
                      0xB84104, 0x6A3304, 0xFE4A57, 0x424540, 0x70746F, 0x59FE59, 0x5F53FE, 0xA4A7A2})},
    {"colodore",
     detail::Colours({0x000000, 0xFFFFFF, 0xDB3A45, 0x6CFFFF, 0xE23BF3, 0x50F83C, 0x3F3AFF, 0xFFFF3C,
                      0xE26909, 0x935500, 0xFF808A, 0x6F6F6F, 0xA6A6A6, 0xB1FF9F, 0x918BFF, 0xE1E1E1})},
    {"le funge",
     detail::Colours({0x000500, 0xFFFFFF, 0x9C4F5A, 0x8FDFBB, 0x925FA3, 0x76B963, 0x1F4E9A, 0xFFF18C,
                      0xB5683E, 0x8C4700, 0xD58B94, 0x626658, 0x909688, 0xC4FFB2, 0x6593DE, 0xC5CABC})},
}};

// The palette a preview shows when the colour numbers came from palette indexes.
inline constexpr std::size_t DefaultPalette = 6;
static_assert(C64Palettes[DefaultPalette].name == "pepto");

// The position in C64Palettes of the palette of that name (case ignored).
std::optional<std::size_t> FindPalette(std::string_view name);

}  // namespace pxm

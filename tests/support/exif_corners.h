#pragma once
// Where a viewer shows a stored picture's corners for each EXIF orientation tag: the stored
// corners are red and green (top), blue and white (bottom); each row gives what is shown top
// left, top right, bottom left, bottom right. By the tag's definition, not by any code of ours.
#include <array>
#include <cstdint>

namespace pxm::test {

inline constexpr std::uint32_t CornerRed = 0xFF0000;
inline constexpr std::uint32_t CornerGreen = 0x00FF00;
inline constexpr std::uint32_t CornerBlue = 0x0000FF;
inline constexpr std::uint32_t CornerWhite = 0xFFFFFF;

struct ShownCorners {
    unsigned tag;
    std::array<std::uint32_t, 4> corners;
};

inline constexpr std::array<ShownCorners, 8> ExifShownCorners{{
    {1, {CornerRed, CornerGreen, CornerBlue, CornerWhite}},
    {2, {CornerGreen, CornerRed, CornerWhite, CornerBlue}},
    {3, {CornerWhite, CornerBlue, CornerGreen, CornerRed}},
    {4, {CornerBlue, CornerWhite, CornerRed, CornerGreen}},
    {5, {CornerRed, CornerBlue, CornerGreen, CornerWhite}},
    {6, {CornerBlue, CornerRed, CornerWhite, CornerGreen}},
    {7, {CornerWhite, CornerGreen, CornerBlue, CornerRed}},
    {8, {CornerGreen, CornerWhite, CornerRed, CornerBlue}},
}};

}  // namespace pxm::test

#pragma once
// The picture the nearest C64 picture is made for: one colour per multicolour pixel (160 x 200,
// row by row, in linear light), and for each pixel whether it lies outside the picture (it then
// takes the background) and, for pixel art, the C64 colour it holds exactly.
#include <cstdint>
#include <span>
#include <vector>

#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"
#include "core/nearest/colour_space.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

inline constexpr std::size_t TargetPixelCount = static_cast<std::size_t>(CanvasColumns) * CanvasRows;

// What a pixel holds besides its colour.
inline constexpr std::uint8_t AnyColour = 0xFE;       // no C64 colour exactly (a photograph, a mixed pair)
inline constexpr std::uint8_t OutsidePicture = 0xFF;  // beyond the picture: the background shows

struct NearestTarget {
    std::vector<LinearRgb> colours = std::vector<LinearRgb>(TargetPixelCount);
    std::vector<std::uint8_t> held = std::vector<std::uint8_t>(TargetPixelCount, OutsidePicture);
    bool pixelArt = false;  // every colour of the picture is a C64 colour of the palette


    static constexpr std::size_t At(int column, int row) {
        return static_cast<std::size_t>(row) * CanvasColumns + static_cast<std::size_t>(column);
    }
    bool Inside(std::size_t at) const { return held[at] != OutsidePicture; }
};

// The area of a picture at the C64's width (each area.pixelWidth pixels of a row one multicolour
// pixel, a pair's colours averaged in linear light; a lone last pixel stands for its pair) at the
// top left.
// numbers (the area's C64 colour numbers, row by row, or empty) marks the pixels whose pair holds
// one C64 colour. A pair with a pixel not fully opaque lies outside the picture (the background).
NearestTarget TargetFromPairs(const DecodedPicture& picture, const PictureArea& area,
                              std::span<const std::uint8_t> numbers);

// A picture already at multicolour width (one pixel a multicolour pixel) with its top left at
// column left, row top of the screen (either may be negative: the part beyond is cut off). A
// pixel less than half opaque lies outside the picture (the background).
NearestTarget TargetFromScaled(const DecodedPicture& picture, int left, int top);

// A Canvas of colour numbers (a BMP's palette indexes) as pixel art in the palette's colours. A
// number above 15 is no C64 colour: it always counts as changed, and stands for the colour of its
// low four bits, as the VIC-II would read it.
NearestTarget TargetFromCanvas(const Canvas& canvas, const C64Palette& palette);

}  // namespace pxm

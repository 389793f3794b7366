#pragma once
// Where the C64 picture sits in a PNG or GIF, and how its pixels become the Canvas: a picture
// of up to 320x200 at the top left, as a BMP, or the 320x200 inside the default PAL border of
// an emulator screenshot; each two pixels of a row are one double-wide multicolour pixel. A
// picture of exactly 160x200, or a 192x272 screenshot, is painted one pixel per double-wide
// pixel, as many multicolour artists paint.
#include <cstdint>
#include <optional>
#include <span>

#include "core/import/canvas.h"
#include "core/import/picture_kind.h"

namespace pxm {

inline constexpr int MaxPictureWidth = 2 * CanvasColumns;  // 320
inline constexpr int MaxPictureHeight = CanvasRows;        // 200
inline constexpr int ScreenshotWidth = 384;
inline constexpr int ScreenshotHeight = 272;
inline constexpr int ScreenshotLeft = 32;  // the picture's first pixel inside the border
inline constexpr int ScreenshotTop = 35;
// The one-pixel-per-double-wide-pixel sizes: half as wide.
inline constexpr int NarrowPictureWidth = CanvasColumns;          // 160
inline constexpr int NarrowScreenshotWidth = ScreenshotWidth / 2;  // 192

// The part of the file that holds the picture, in the file's pixels.
struct PictureArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int pixelWidth = 2;  // file pixels per double-wide C64 pixel: 2, or 1 at the narrow sizes
};

// The picture inside a file of that size; none for a size that is not taken.
std::optional<PictureArea> AcceptedArea(int width, int height);

// Where the Canvas came from, so that messages name pixels as the file has them (x from the
// left, y from the top, a screenshot's border included).
struct CanvasSource {
    PictureKind kind = PictureKind::Bmp;  // how messages name the file's pixels
    int left = 0;                         // file pixel of Canvas pixel 0,0
    int top = 0;
    int keptPixel = 0;  // which pixel of each pair the Canvas holds: 0 left, 1 right
    int pixelWidth = 2;  // file pixels per double-wide C64 pixel
};

// The two pixels of a pair that differ: the left one in file coordinates (the right one is
// x + 1) and the colour number of each.
struct DifferingPair {
    int x = 0;
    int y = 0;
    std::uint8_t left = 0;
    std::uint8_t right = 0;
};

// Puts the area's colour numbers (row by row) on the Canvas, 0 beyond the picture. At a pixel
// width of 2 both pixels of a pair must be equal (a lone last pixel of an odd width stands for the pair); on the first
// pair that differs the Canvas is left as it was.
std::optional<DifferingPair> PlaceOnCanvas(std::span<const std::uint8_t> numbers, const PictureArea& area,
                                           Canvas& canvas);

}  // namespace pxm

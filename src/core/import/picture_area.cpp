#include "core/import/picture_area.h"

#include <cstring>

namespace pxm {

std::optional<PictureArea> AcceptedArea(int width, int height) {
    if (width == NarrowPictureWidth && height == MaxPictureHeight) return PictureArea{0, 0, width, height, 1};
    if (width == NarrowScreenshotWidth && height == ScreenshotHeight)
        return PictureArea{ScreenshotLeft / 2, ScreenshotTop, NarrowPictureWidth, MaxPictureHeight, 1};
    if (width >= 1 && height >= 1 && width <= MaxPictureWidth && height <= MaxPictureHeight)
        return PictureArea{0, 0, width, height};
    if (width == ScreenshotWidth && height == ScreenshotHeight)
        return PictureArea{ScreenshotLeft, ScreenshotTop, MaxPictureWidth, MaxPictureHeight};
    return std::nullopt;
}

namespace {

// The first pair of a row whose two pixels differ (its left x), or -1.
int FirstDifferingPair(const std::uint8_t* pixels, int width) {
    int x = 0;
    // Eight pixels, four pairs, at a time: each byte against its right neighbour, in either byte
    // order. A word with a difference is searched pair by pair below.
    for (; x + 8 <= width; x += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, pixels + x, 8);
        if (((eight ^ (eight >> 8)) & 0x00FF00FF00FF00FFu) != 0) break;
    }
    for (; x + 1 < width; x += 2) {
        if (pixels[x] != pixels[x + 1]) return x;
    }
    return -1;
}

}  // namespace

std::optional<DifferingPair> PlaceOnCanvas(std::span<const std::uint8_t> numbers, const PictureArea& area,
                                           Canvas& canvas) {
    const auto width = static_cast<std::size_t>(area.width);
    if (area.pixelWidth == 1) {
        canvas.fill(0);
        for (int column = 0; column < area.width; ++column) {
            for (int y = 0; y < area.height; ++y)
                canvas[CanvasIndex(column, y)] = numbers[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(column)];
        }
        return std::nullopt;
    }
    for (int y = 0; y < area.height; ++y) {
        const std::uint8_t* pixels = numbers.data() + static_cast<std::size_t>(y) * width;
        if (const int x = FirstDifferingPair(pixels, area.width); x >= 0)
            return DifferingPair{area.left + x, area.top + y, pixels[x], pixels[x + 1]};
    }
    canvas.fill(0);
    for (int column = 0; 2 * column < area.width; ++column) {
        for (int y = 0; y < area.height; ++y)
            canvas[CanvasIndex(column, y)] = numbers[static_cast<std::size_t>(y) * width + 2 * static_cast<std::size_t>(column)];
    }
    return std::nullopt;
}

}  // namespace pxm

#include "core/import/picture_area.h"

namespace pxm {

std::optional<PictureArea> AcceptedArea(int width, int height) {
    if (width >= 1 && height >= 1 && width <= MaxPictureWidth && height <= MaxPictureHeight)
        return PictureArea{0, 0, width, height};
    if (width == ScreenshotWidth && height == ScreenshotHeight)
        return PictureArea{ScreenshotLeft, ScreenshotTop, MaxPictureWidth, MaxPictureHeight};
    return std::nullopt;
}

std::optional<DifferingPair> PlaceOnCanvas(std::span<const std::uint8_t> numbers, const PictureArea& area,
                                           Canvas& canvas) {
    const auto row = [&](int y) {
        return numbers.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(area.width);
    };
    for (int y = 0; y < area.height; ++y) {
        const std::uint8_t* pixels = row(y);
        for (int x = 0; x + 1 < area.width; x += 2) {
            if (pixels[x] != pixels[x + 1]) return DifferingPair{area.left + x, area.top + y, pixels[x], pixels[x + 1]};
        }
    }
    canvas.fill(0);
    for (int y = 0; y < area.height; ++y) {
        const std::uint8_t* pixels = row(y);
        for (int x = 0; x < area.width; x += 2) canvas[CanvasIndex(x / 2, y)] = pixels[x];
    }
    return std::nullopt;
}

}  // namespace pxm

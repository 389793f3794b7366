#include "core/nearest/nearest_target.h"

#include <algorithm>

namespace pxm {

NearestTarget TargetFromPairs(const DecodedPicture& picture, const PictureArea& area,
                              std::span<const std::uint8_t> numbers) {
    NearestTarget target;
    target.pixelArt = !numbers.empty();
    const int columns = std::min((area.width + area.pixelWidth - 1) / area.pixelWidth, CanvasColumns);
    const int rows = std::min(area.height, CanvasRows);
    for (int y = 0; y < rows; ++y) {
        for (int column = 0; column < columns; ++column) {
            const int x = area.left + area.pixelWidth * column;
            const int right = std::min(x + area.pixelWidth - 1, area.left + area.width - 1);
            const std::size_t first = picture.At(x, area.top + y);
            const std::size_t second = picture.At(right, area.top + y);
            // A pair with a pixel not fully opaque is no part of the picture: it takes the background.
            if (!picture.Opaque(first) || !picture.Opaque(second)) continue;
            const LinearRgb a = LinearOf(picture.rgb[first]);
            const LinearRgb b = LinearOf(picture.rgb[second]);
            const std::size_t at = NearestTarget::At(column, y);
            target.colours[at] = {(a.r + b.r) / 2, (a.g + b.g) / 2, (a.b + b.b) / 2};
            target.held[at] = AnyColour;
            if (!numbers.empty()) {
                const std::size_t row = static_cast<std::size_t>(y) * static_cast<std::size_t>(area.width);
                const std::uint8_t left = numbers[row + static_cast<std::size_t>(x - area.left)];
                if (left == numbers[row + static_cast<std::size_t>(right - area.left)]) target.held[at] = left;
            }
        }
    }
    return target;
}

NearestTarget TargetFromScaled(const DecodedPicture& picture, int left, int top) {
    NearestTarget target;
    for (int row = std::max(top, 0); row < std::min(top + picture.height, CanvasRows); ++row) {
        for (int column = std::max(left, 0); column < std::min(left + picture.width, CanvasColumns); ++column) {
            const std::size_t from = picture.At(column - left, row - top);
            // Scaled, a pixel at least half opaque is mostly picture; any other takes the background.
            if (!picture.alpha.empty() && picture.alpha[from] < 128) continue;
            const std::size_t at = NearestTarget::At(column, row);
            target.colours[at] = LinearOf(picture.rgb[from]);
            target.held[at] = AnyColour;
        }
    }
    return target;
}

NearestTarget TargetFromCanvas(const Canvas& canvas, const C64Palette& palette) {
    NearestTarget target;
    target.pixelArt = true;
    for (int row = 0; row < CanvasRows; ++row) {
        for (int column = 0; column < CanvasColumns; ++column) {
            const std::uint8_t number = canvas[CanvasIndex(column, row)];
            const std::size_t at = NearestTarget::At(column, row);
            target.colours[at] = LinearOf(palette.colours[number & 15u]);
            target.held[at] = number < 16 ? number : AnyColour;
        }
    }
    return target;
}

}  // namespace pxm

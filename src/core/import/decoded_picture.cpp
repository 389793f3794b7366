#include "core/import/decoded_picture.h"

namespace pxm {

void TakeRgbaRows(DecodedPicture& picture, std::span<const std::uint8_t> rgba, std::size_t stride) {
    const auto width = static_cast<std::size_t>(picture.width);
    picture.rgb.resize(width * static_cast<std::size_t>(picture.height));
    picture.alpha.resize(picture.rgb.size());
    for (std::size_t y = 0; y < static_cast<std::size_t>(picture.height); ++y) {
        const std::span<const std::uint8_t> row = rgba.subspan(y * stride, width * 4);
        for (std::size_t x = 0; x < width; ++x) {
            picture.rgb[y * width + x] = {row[4 * x], row[4 * x + 1], row[4 * x + 2]};
            picture.alpha[y * width + x] = row[4 * x + 3];
        }
    }
}

}  // namespace pxm

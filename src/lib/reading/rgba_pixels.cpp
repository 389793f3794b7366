#include "lib/reading/rgba_pixels.h"

#include <vector>

#include "core/import/box_reduction.h"

namespace pxm {

DecodeOutcome DecodeRgba(const RgbaPixels& pixels, SizesTaken sizes) {
    DecodeOutcome outcome;
    outcome.picture.width = pixels.width;
    outcome.picture.height = pixels.height;
    if (!Takes(sizes, pixels.width, pixels.height)) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return outcome;
    }
    const auto width = static_cast<std::size_t>(pixels.width);
    const auto rowAt = [&](int y) { return pixels.rgba.subspan(static_cast<std::size_t>(y) * pixels.stride, width * 4); };
    if (std::optional<BoxReduction> reduction = RowReductionFor(sizes, pixels.width, pixels.height)) {
        std::vector<LinearPixel> linear(width);
        for (int y = 0; y < pixels.height; ++y) {
            const std::span<const std::uint8_t> row = rowAt(y);
            for (std::size_t x = 0; x < width; ++x)
                linear[x] = LinearOf({row[4 * x], row[4 * x + 1], row[4 * x + 2]}, row[4 * x + 3]);
            AddPixels(*reduction, y, 0, 1, linear);
        }
        FinishRowReduction(*reduction, outcome);
        return outcome;
    }
    const std::size_t count = width * static_cast<std::size_t>(pixels.height);
    outcome.picture.rgb.resize(count);
    outcome.picture.alpha.resize(count);
    for (int y = 0; y < pixels.height; ++y) {
        const std::span<const std::uint8_t> row = rowAt(y);
        const std::size_t first = static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) {
            outcome.picture.rgb[first + x] = {row[4 * x], row[4 * x + 1], row[4 * x + 2]};
            outcome.picture.alpha[first + x] = row[4 * x + 3];
        }
    }
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm

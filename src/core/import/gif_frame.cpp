#include "core/import/gif_frame.h"

namespace pxm {

bool FrameOnScreen(const GifFramePlace& frame, int screenWidth, int screenHeight) {
    return frame.left >= 0 && frame.top >= 0 && frame.width > 0 && frame.height > 0 &&
           frame.left + frame.width <= screenWidth && frame.top + frame.height <= screenHeight;
}

Result<DecodedPicture, GifFrameError> ComposeGifPicture(const GifScreen& screen, const GifFramePlace& frame,
                                                        std::span<const std::uint8_t> frameIndexes,
                                                        std::span<const Rgb> frameTable,
                                                        std::span<const std::uint8_t> frameAlpha) {
    if (!FrameOnScreen(frame, screen.width, screen.height)) return Fail(GifFrameError::OutsideScreen);
    if (frameTable.empty()) return Fail(GifFrameError::NoColourTable);
    const std::span<const Rgb> screenTable = screen.table.empty() ? frameTable : screen.table;
    DecodedPicture picture{.width = screen.width, .height = screen.height, .rgb = {}, .indexes = {}, .alpha = {}};
    const auto pixelCount = static_cast<std::size_t>(screen.width) * static_cast<std::size_t>(screen.height);
    picture.indexes.assign(pixelCount, screen.background);
    picture.rgb.resize(pixelCount);
    if (!frameAlpha.empty()) picture.alpha.assign(pixelCount, 255);
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            const bool inFrame =
                x >= frame.left && x < frame.left + frame.width && y >= frame.top && y < frame.top + frame.height;
            std::uint8_t& index = picture.indexes[picture.At(x, y)];
            if (inFrame)
                index = frameIndexes[static_cast<std::size_t>(y - frame.top) * static_cast<std::size_t>(frame.width) +
                                     static_cast<std::size_t>(x - frame.left)];
            const std::span<const Rgb> table = inFrame ? frameTable : screenTable;
            if (index >= table.size()) return Fail(GifFrameError::IndexPastTable);
            picture.rgb[picture.At(x, y)] = table[index];
            if (inFrame && index < frameAlpha.size()) picture.alpha[picture.At(x, y)] = frameAlpha[index];
        }
    }
    return picture;
}

Status<GifFrameError> ReduceScreenAroundFrame(const GifScreen& screen, const GifFramePlace& frame,
                                              std::span<const Rgb> frameTable, BoxReduction& reduction) {
    const std::span<const Rgb> table = screen.table.empty() ? frameTable : screen.table;
    if (screen.background >= table.size()) return Fail(GifFrameError::IndexPastTable);
    const LinearPixel around = LinearOf(table[screen.background]);
    for (int y = 0; y < screen.height; ++y) {
        if (y < frame.top || y >= frame.top + frame.height) {
            AddRun(reduction, y, 0, screen.width, around);
            continue;
        }
        AddRun(reduction, y, 0, frame.left, around);
        AddRun(reduction, y, frame.left + frame.width, screen.width - frame.left - frame.width, around);
    }
    return Done{};
}

}  // namespace pxm

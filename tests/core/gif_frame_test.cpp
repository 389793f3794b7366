#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/import/gif_frame.h"

namespace pxm {
namespace {

constexpr Rgb Black{0, 0, 0}, White{255, 255, 255}, Red{136, 0, 0}, Cyan{170, 255, 238};

TEST(GifFrame, FrameOnItsScreen) {
    const std::array<Rgb, 2> screenTable{Black, White};
    const std::array<Rgb, 3> frameTable{Red, Cyan, White};
    // A 2x1 frame at (1, 1) on a 4x3 screen whose background is index 1.
    const std::vector<std::uint8_t> frame{2, 0};
    const auto picture = ComposeGifPicture({4, 3, 1, screenTable}, {1, 1, 2, 1}, frame, frameTable);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->width, 4);
    EXPECT_EQ(picture->height, 3);
    const std::vector<std::uint8_t> indexes{1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 1, 1};
    EXPECT_EQ(picture->indexes, indexes);
    // Uncovered pixels take the file's table, the frame's pixels the frame's.
    EXPECT_EQ(picture->rgb[picture->At(0, 0)], White);
    EXPECT_EQ(picture->rgb[picture->At(1, 1)], White);
    EXPECT_EQ(picture->rgb[picture->At(2, 1)], Red);
    EXPECT_EQ(picture->rgb[picture->At(3, 1)], White);
}

TEST(GifFrame, WithoutAFileTableTheFramesServesTheScreen) {
    const std::array<Rgb, 2> frameTable{Red, Cyan};
    const std::vector<std::uint8_t> frame{0};
    const auto picture = ComposeGifPicture({2, 1, 1, {}}, {0, 0, 1, 1}, frame, frameTable);
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->rgb[0], Red);
    EXPECT_EQ(picture->rgb[1], Cyan);
}

TEST(GifFrame, Refusals) {
    const std::array<Rgb, 2> table{Black, White};
    const std::vector<std::uint8_t> frame{0, 1, 0, 1};
    const auto error = [&](const GifScreen& screen, const GifFramePlace& place, std::span<const Rgb> frameTable) {
        const auto picture = ComposeGifPicture(screen, place, frame, frameTable);
        EXPECT_FALSE(picture.ok());
        return picture.ok() ? GifFrameError{} : picture.error();
    };
    EXPECT_EQ(error({2, 2, 0, table}, {1, 0, 2, 2}, table), GifFrameError::OutsideScreen);
    EXPECT_EQ(error({2, 2, 0, table}, {0, 1, 2, 2}, table), GifFrameError::OutsideScreen);
    EXPECT_EQ(error({2, 2, 0, table}, {-1, 0, 2, 2}, table), GifFrameError::OutsideScreen);
    EXPECT_EQ(error({2, 2, 0, {}}, {0, 0, 2, 2}, {}), GifFrameError::NoColourTable);
    // The background index past the file's table, then a frame index past the frame's.
    EXPECT_EQ(error({3, 2, 2, table}, {0, 0, 2, 2}, table), GifFrameError::IndexPastTable);
    const std::array<Rgb, 1> shortTable{Black};
    EXPECT_EQ(error({2, 2, 0, table}, {0, 0, 2, 2}, shortTable), GifFrameError::IndexPastTable);
}

TEST(GifFrame, FrameOnScreenNeedsAPixelWithinTheScreen) {
    EXPECT_TRUE(FrameOnScreen({0, 0, 320, 200}, 320, 200));
    EXPECT_TRUE(FrameOnScreen({10, 20, 310, 180}, 320, 200));
    EXPECT_FALSE(FrameOnScreen({10, 20, 311, 180}, 320, 200));
    EXPECT_FALSE(FrameOnScreen({0, 0, 0, 200}, 320, 200));
    EXPECT_FALSE(FrameOnScreen({0, -1, 10, 10}, 320, 200));
}

}  // namespace
}  // namespace pxm

// How many colours a decoded picture holds.
#include "core/import/colour_count.h"

#include <gtest/gtest.h>

namespace pxm {
namespace {

TEST(ColourCount, EveryDifferentColourOnce) {
    DecodedPicture picture;
    picture.width = 300;
    picture.height = 2;
    // 600 pixels: 512 colours differing in one channel by one step, the rest repeats.
    for (int i = 0; i < 600; ++i) {
        const int n = i % 512;
        picture.rgb.push_back({static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>(n >> 8), 7});
    }
    EXPECT_EQ(CountColours(picture), 512u);
    EXPECT_EQ(CountColours(DecodedPicture{}), 0u);
    DecodedPicture extremes;
    extremes.rgb = {{0, 0, 0}, {255, 255, 255}};
    EXPECT_EQ(CountColours(extremes), 2u);
}

}  // namespace
}  // namespace pxm

// A screenshot's border told from a photograph's edges, with room for a lossy copy's noise.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/import/screenshot_border.h"
#include "tests/core/core_test_support.h"

namespace pxm::test {
namespace {

const PictureArea Inner = *AcceptedArea(ScreenshotWidth, ScreenshotHeight);

DecodedPicture Screenshot(const std::function<Rgb(int, int)>& pixel) {
    DecodedPicture picture;
    picture.width = ScreenshotWidth;
    picture.height = ScreenshotHeight;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) picture.rgb.push_back(pixel(x, y));
    }
    return picture;
}

bool Inside(int x, int y) {
    return x >= Inner.left && x < Inner.left + Inner.width && y >= Inner.top && y < Inner.top + Inner.height;
}

TEST(BorderIsOneColour, AFlatBorderWithNoiseAndBleedingEdgesIs) {
    Random noise(9);
    const Rgb blue{0x35, 0x28, 0x79};
    const auto move = [&](std::uint8_t v) { return static_cast<std::uint8_t>(std::clamp(v + noise.below(13) - 6, 0, 255)); };
    const std::optional<Rgb> border = OneBorderColour(Screenshot([&](int x, int y) {
        if (Inside(x, y)) return Rgb{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 200};
        // Within the margin the picture's colours bleed out, as a JPEG's blocks carry them.
        if (Inside(x - 4, y) || Inside(x, y + 5)) return Rgb{255, 255, 255};
        return Rgb{move(blue.r), move(blue.g), move(blue.b)};
    }), Inner);
    ASSERT_TRUE(border.has_value());
    EXPECT_LE(DistanceSquared(*border, blue), 3) << "the border's colour, the noise's median";
}

TEST(BorderIsOneColour, APhotographsEdgesOrABorderWithStripesAreNot) {
    EXPECT_FALSE(BorderIsOneColour(Screenshot([](int x, int y) {
        const auto c = [](double v) { return static_cast<std::uint8_t>(127.5 + 120 * std::sin(v)); };
        return Rgb{c(x * 0.02), c(y * 0.03), c((x + y) * 0.01)};
    }), Inner));
    // Raster bars: one border row in thirty of another colour.
    EXPECT_FALSE(BorderIsOneColour(Screenshot([](int, int y) {
        return y % 30 == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
    }), Inner));
}

}  // namespace
}  // namespace pxm::test

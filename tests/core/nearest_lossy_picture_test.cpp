// A C64 picture gone lossy told from a photograph: noisy copies of C64 pictures are read back
// exactly in their palette; smooth photographs, greys and grainy colours are not taken for one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/nearest/lossy_picture.h"
#include "tests/core/core_test_support.h"

namespace pxm::test {
namespace {

std::size_t PaletteNamed(std::string_view name) { return *FindPalette(name); }

// Colour numbers of a multicolour picture: each cell its background 0 and three more.
int Number(int x, int y) {
    const int cell = (y / 8) * 40 + x / 8;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((x / 2 % 4 + y % 8) % 4)];
}

DecodedPicture Picture(int width, int height, const std::function<Rgb(int, int)>& pixel) {
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.rgb.push_back(pixel(x, y));
    }
    return picture;
}

std::uint8_t Clamped(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

// The picture in the palette with every channel moved by up to noise steps, as a lossy copy has it.
DecodedPicture NoisyCopy(const C64Palette& palette, int noise, std::uint32_t seed) {
    Random random(seed);
    return Picture(320, 200, [&](int x, int y) {
        const Rgb c = palette.colours[static_cast<std::size_t>(Number(x, y))];
        const auto move = [&](std::uint8_t v) { return Clamped(v + random.below(2 * noise + 1) - noise); };
        return Rgb{move(c.r), move(c.g), move(c.b)};
    });
}

TEST(LossyPicture, NoisyCopiesAreReadBackExactlyInTheirPalette) {
    // colodore's white and light grey lie 10.5 apart: two clusters still.
    for (const std::string_view name : {"pepto", "frodo", "vice", "ccs64", "colodore"}) {
        const std::size_t palette = PaletteNamed(name);
        const DecodedPicture copy = NoisyCopy(C64Palettes[palette], 4, 17);
        const std::optional<LossyPicture> read = ReadLossyPicture(copy, {0, 0, 320, 200}, {});
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_EQ(C64Palettes[read->palette].name, name);
        int wrong = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 320; ++x) wrong += read->numbers[static_cast<std::size_t>(y * 320 + x)] != Number(x, y);
        }
        EXPECT_EQ(wrong, 0) << name;
    }
    // A palette named is the one taken.
    const std::size_t lemon64 = PaletteNamed("lemon64");
    const auto named = ReadLossyPicture(NoisyCopy(C64Palettes[lemon64], 3, 5), {0, 0, 320, 200},
                                        {PaletteChoice::Kind::Named, lemon64});
    ASSERT_TRUE(named.has_value());
    EXPECT_EQ(named->palette, lemon64);
}

TEST(LossyPicture, PhotographsAndGreysAreNotTakenForOne) {
    Random grain(3);
    const auto smooth = [&](int x, int y) {
        const auto c = [&](double v) { return Clamped(static_cast<int>(127.5 + 120 * std::sin(v)) + grain.below(9) - 4); };
        return Rgb{c(x * 0.02), c(y * 0.03 + 1), c((x + y) * 0.015 + 2)};
    };
    const auto greys = [](int x, int y) {
        const auto v = static_cast<std::uint8_t>((x + y) * 255 / 519);
        return Rgb{v, v, v};
    };
    Random random(11);
    const auto grainy = [&](int, int) {
        return Rgb{static_cast<std::uint8_t>(random.below(256)), static_cast<std::uint8_t>(random.below(256)),
                   static_cast<std::uint8_t>(random.below(256))};
    };
    for (const auto& [name, pixel] : std::vector<std::pair<std::string, std::function<Rgb(int, int)>>>{
             {"smooth", smooth}, {"greys", greys}, {"grainy", grainy}}) {
        EXPECT_FALSE(ReadLossyPicture(Picture(320, 200, pixel), {0, 0, 320, 200}, {}).has_value()) << name;
    }
    // Seventeen colours far apart gather tightly, but no C64 palette has them all.
    const auto seventeen = [](int x, int y) {
        const int k = (x / 8 + y / 8) % 17;
        return Rgb{static_cast<std::uint8_t>(k * 15), static_cast<std::uint8_t>(255 - k * 15), static_cast<std::uint8_t>(k % 2 * 200)};
    };
    EXPECT_FALSE(ReadLossyPicture(Picture(320, 200, seventeen), {0, 0, 320, 200}, {}).has_value());
}

TEST(LossyPicture, TwoTonePhotographsAreNotTakenForOne) {
    // A wall of grey bricks and light mortar, the joints at any pixel, with a little grain; a
    // black silhouette on white with soft edges; a soft light blur on grey. Each gathers into two
    // or three tight clusters.
    Random grain(7);
    const auto wall = [&](int x, int y) {
        const bool joint = (x * 7 + y) % 23 < 2 || (y + x / 40 * 5) % 17 == 0;
        const auto v = static_cast<std::uint8_t>((joint ? 170 : 98) + grain.below(5) - 2);
        return Rgb{v, v, v};
    };
    const auto silhouette = [](int x, int y) {
        const double outside = std::hypot((x - 160) / 120.0, (y - 100) / 70.0) - 1;
        const auto v = static_cast<std::uint8_t>(std::clamp(127.5 + outside * 4000, 0.0, 255.0));
        return Rgb{v, v, v};
    };
    const auto blur = [](int x, int y) {
        const double light = std::exp(-std::pow(std::hypot((x - 160) / 60.0, (y - 100) / 45.0), 6));
        const auto v = static_cast<std::uint8_t>(128 + std::lround(70 * light));
        return Rgb{v, v, v};
    };
    EXPECT_FALSE(ReadLossyPicture(Picture(320, 200, blur), {0, 0, 320, 200}, {}).has_value());
    for (const auto& [name, pixel] : std::vector<std::pair<std::string, std::function<Rgb(int, int)>>>{
             {"wall", wall}, {"silhouette", silhouette}}) {
        EXPECT_FALSE(ReadLossyPicture(Picture(320, 200, pixel), {0, 0, 320, 200}, {}).has_value()) << name;
        // Painted at the C64's double width, the same pictures are read as C64 pictures.
        const auto doubled = [&paint = pixel](int x, int y) { return paint(x / 2 * 2, y); };
        EXPECT_TRUE(ReadLossyPicture(Picture(320, 200, doubled), {0, 0, 320, 200}, {}).has_value()) << name;
    }
}

}  // namespace
}  // namespace pxm::test

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/nearest/ciede2000_sixteen.h"
#include "core/nearest/colour_space.h"
#include "core/nearest/palette_distances.h"
#include "core/palette/c64_palettes.h"

namespace pxm {
namespace {

// Pairs from Sharma, Wu and Dalal's CIEDE2000 test data, with their published differences.
struct Pair {
    Lab x;
    Lab y;
    double difference;
};
constexpr std::array<Pair, 7> SharmaPairs{{
    {{50.0f, 2.6772f, -79.7751f}, {50.0f, 0.0f, -82.7485f}, 2.0425},
    {{50.0f, 3.1571f, -77.2803f}, {50.0f, 0.0f, -82.7485f}, 2.8615},
    {{50.0f, 0.0f, 0.0f}, {50.0f, -1.0f, 2.0f}, 2.3669},
    {{50.0f, 2.5f, 0.0f}, {73.0f, 25.0f, -18.0f}, 27.1492},
    {{50.0f, 2.5f, 0.0f}, {50.0f, 3.2592f, 0.335f}, 1.0},
    {{60.2574f, -34.0099f, 36.2677f}, {60.4626f, -34.1751f, 39.4387f}, 1.2644},
    {{22.7233f, 20.0904f, -46.694f}, {23.0331f, 14.973f, -42.5619f}, 2.0373},
}};

TEST(NearestColourSpace, Ciede2000MatchesThePublishedPairsBothWays) {
    for (const Pair& pair : SharmaPairs) {
        EXPECT_NEAR(Ciede2000(pair.x, pair.y), pair.difference, 1e-3);
        EXPECT_NEAR(Ciede2000(pair.y, pair.x), pair.difference, 1e-3);
    }
    EXPECT_EQ(Ciede2000({40, 10, -5}, {40, 10, -5}), 0.0);
}

TEST(NearestColourSpace, TheSixteenAtOnceAreCiede2000WithinAThousandth) {
    for (const Pair& pair : SharmaPairs) {
        std::array<Lab, 16> both;
        both.fill(pair.y);
        both[3] = pair.x;
        const std::array<float, 16> fromX = Ciede2000ToEach(pair.x, SixteenLabOf(both));
        EXPECT_NEAR(fromX[0], pair.difference, 2e-3);
        EXPECT_NEAR(fromX[15], pair.difference, 2e-3);
        EXPECT_EQ(fromX[3], 0.0f);
    }
    // Colours all over the cube, greys and the hue circle's every turn included, against every
    // colour of two palettes and against each other.
    std::vector<Lab> colours;
    for (int r = 0; r < 256; r += 17) {
        for (int g = 0; g < 256; g += 15) {
            for (int b = 0; b < 256; b += 51) {
                colours.push_back(LabOf(Rgb{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)}));
            }
        }
    }
    std::vector<std::array<Lab, 16>> palettes;
    for (const char* name : {"pepto", "colodore"}) {
        std::array<Lab, 16> lab;
        std::ranges::transform(C64Palettes[*FindPalette(name)].colours, lab.begin(), [](Rgb c) { return LabOf(c); });
        palettes.push_back(lab);
    }
    for (std::size_t k = 0; k + 16 <= colours.size(); k += 16) {
        palettes.emplace_back();
        std::copy_n(colours.begin() + static_cast<std::ptrdiff_t>(k), 16, palettes.back().begin());
    }
    double largest = 0;
    for (const auto& palette : palettes) {
        const SixteenLab sixteen = SixteenLabOf(palette);
        for (const Lab& x : colours) {
            const std::array<float, 16> fast = Ciede2000ToEach(x, sixteen);
            for (std::size_t j = 0; j < 16; ++j) largest = std::max(largest, std::abs(fast[j] - Ciede2000(x, palette[j])));
        }
    }
    EXPECT_LT(largest, 1e-3);
}

TEST(NearestColourSpace, LabOfKnownColours) {
    const Lab white = LabOf(Rgb{255, 255, 255});
    EXPECT_NEAR(white.l, 100.0f, 0.05f);
    EXPECT_NEAR(white.a, 0.0f, 0.05f);
    EXPECT_NEAR(white.b, 0.0f, 0.05f);
    const Lab black = LabOf(Rgb{0, 0, 0});
    EXPECT_NEAR(black.l, 0.0f, 0.01f);
    // sRGB red, as colour references give it: L 53.24, a 80.09, b 67.20.
    const Lab red = LabOf(Rgb{255, 0, 0});
    EXPECT_NEAR(red.l, 53.24f, 0.05f);
    EXPECT_NEAR(red.a, 80.09f, 0.1f);
    EXPECT_NEAR(red.b, 67.20f, 0.1f);
    // Mid grey 128 is 21.6 % of white's light.
    EXPECT_NEAR(LinearFromByte(128), 0.2158f, 1e-3f);
}

TEST(NearestColourSpace, TheTableGivesCiede2000OfTheColourRoundedToFiveBits) {
    PaletteDistances distances(ShownColoursOf(C64Palettes[DefaultPalette]));
    // 0x08 = 8 lies on a level of 5 bits (8 * 31 / 255 = 0.97, rounded to 1, back to 8).
    const Rgb onLevel{0x08, 0x84, 0xFF};
    const std::array<std::int16_t, 16>& to = distances.To(LinearOf(onLevel));
    for (std::size_t c = 0; c < 16; ++c) {
        const double want = Ciede2000(LabOf(onLevel), LabOf(C64Palettes[DefaultPalette].colours[c]));
        EXPECT_NEAR(to[c] / DifferenceScale, want, 0.05) << c;
    }
    // A palette colour lies near itself: rounding to 5 bits moves a colour by 3 units at most.
    for (std::size_t c = 0; c < 16; ++c) EXPECT_LE(distances.To(LinearOf(C64Palettes[DefaultPalette].colours[c]))[c], 3 * DifferenceScale);
}

}  // namespace
}  // namespace pxm

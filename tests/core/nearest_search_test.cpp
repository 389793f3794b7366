#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>

#include "core/koala/koala_image.h"
#include "core/nearest/nearest_picture.h"
#include "core/nearest/nearest_target.h"
#include "core/palette/c64_palettes.h"
#include "core/view/preview.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

const C64Palette& PeptoPalette = C64Palettes[DefaultPalette];
const ShownColours Pepto = ShownColoursOf(PeptoPalette);

// A photograph-like target: smooth random colours over the whole screen.
NearestTarget SmoothTarget(std::uint32_t seed) {
    test::Random random(seed);
    NearestTarget target;
    std::array<float, 6> phase{};
    for (float& p : phase) p = static_cast<float>(random.below(628)) / 100.0f;
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            const std::size_t at = NearestTarget::At(x, y);
            const auto wave = [&](int k) {
                return 0.5f + 0.45f * std::sin(phase[static_cast<std::size_t>(k)] + 0.05f * static_cast<float>(x * (k + 1)) +
                                               0.03f * static_cast<float>(y * (3 - k)));
            };
            target.colours[at] = {wave(0) * wave(0), wave(1) * wave(1), wave(2) * wave(2)};
            target.held[at] = AnyColour;
        }
    }
    return target;
}

// The cell's cost with those colours kept, by the same differences the search uses.
std::int64_t CellCost(const NearestTarget& target, PaletteDistances& distances, int cell, ColourSet kept) {
    std::int64_t cost = 0;
    for (int p = 0; p < 32; ++p) {
        const std::array<std::int16_t, 16>& to = distances.To(target.colours[CellPixelAt(cell, p)]);
        int best = 1 << 30;
        for (int c = 0; c < 16; ++c) {
            if (Holds(kept, c)) best = std::min<int>(best, to[static_cast<std::size_t>(c)]);
        }
        cost += best;
    }
    return cost;
}

TEST(NearestSearch, CellColoursAreTheExhaustiveBestNearlyAlways) {
    const NearestTarget target = SmoothTarget(3);
    const ModeColours mode = ModeColoursOf(PaletteMode::Multicolour, AutoBackground);
    PaletteDistances distances(Pepto);
    const PixelDifferences pixels = DifferencesOfPixels(target, distances);
    const std::uint8_t background = ChooseBackground(pixels, mode);
    const CellColourSets sets = ChooseCellColours(pixels, mode, background);
    int exact = 0;
    double found = 0;
    double optimum = 0;
    for (int cell = 0; cell < CellCount; cell += 5) {
        const ColourSet kept = sets[static_cast<std::size_t>(cell)];
        EXPECT_TRUE(Holds(kept, background));
        EXPECT_LE(std::popcount(kept), 4);
        std::int64_t best = CellCost(target, distances, cell, kept);
        const std::int64_t ours = best;
        for (unsigned set = 0; set < 0x10000; ++set) {
            if (std::popcount(set) == 3 && !Holds(static_cast<ColourSet>(set), background))
                best = std::min(best, CellCost(target, distances, cell, static_cast<ColourSet>(set | 1u << background)));
        }
        exact += ours == best ? 1 : 0;
        found += static_cast<double>(ours);
        optimum += static_cast<double>(best);
    }
    EXPECT_GE(exact, 198);                  // of the 200 cells tried
    EXPECT_LE(found, optimum * 1.001);      // and the rest all but as good
}

TEST(NearestSearch, ACellToBeDitheredKeepsColoursThatMixToItsOwn) {
    // In every cell a row of dark grey, a row of medium grey (two colours a little apart), and six
    // rows of the even mixture of cyan and light blue, which no colour comes near.
    const LinearRgb cyan = Pepto.linear[3];
    const LinearRgb lightBlue = Pepto.linear[14];
    const LinearRgb mixture{(cyan.r + lightBlue.r) / 2, (cyan.g + lightBlue.g) / 2, (cyan.b + lightBlue.b) / 2};
    NearestTarget target;
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            target.colours[NearestTarget::At(x, y)] = y % 8 == 0 ? Pepto.linear[11] : y % 8 == 1 ? Pepto.linear[12] : mixture;
            target.held[NearestTarget::At(x, y)] = AnyColour;
        }
    }
    const ModeColours mode = ModeColoursOf(PaletteMode::Multicolour, AutoBackground);
    PaletteDistances distances(Pepto);
    const PixelDifferences pixels = DifferencesOfPixels(target, distances);
    const std::array<std::int16_t, 16>& to = distances.To(mixture);
    const auto nearest = static_cast<std::uint8_t>(std::min_element(to.begin(), to.end()) - to.begin());
    const Lab seen = LabOf(mixture);
    // How near the mixture the best mixture of two colours of the set comes, in steps of a tenth.
    const auto nearestMixture = [&](ColourSet set) {
        double best = 1e9;
        for (std::size_t x = 0; x < 16; ++x) {
            for (std::size_t y = x + 1; y < 16; ++y) {
                if (!Holds(set, static_cast<int>(x)) || !Holds(set, static_cast<int>(y))) continue;
                const LinearRgb a = Pepto.linear[x];
                const LinearRgb b = Pepto.linear[y];
                for (float t = 0.1f; t < 0.95f; t += 0.1f)
                    best = std::min(best, Ciede2000(seen, LabOf(LinearRgb{a.r + t * (b.r - a.r), a.g + t * (b.g - a.g), a.b + t * (b.b - a.b)})));
            }
        }
        return best;
    };
    const auto set = [](std::initializer_list<int> colours) {
        unsigned bits = 0;
        for (const int c : colours) bits |= 1u << c;
        return static_cast<ColourSet>(bits);
    };
    const PaletteGaps gaps = PaletteGapsOf(Pepto);
    for (const std::uint8_t background : {std::uint8_t{0}, std::uint8_t{2}, std::uint8_t{6}, std::uint8_t{9}}) {
        // Each pixel by its nearest: both greys, and the colour nearest the mixture (with which
        // the greys and the background mix to no nearer than 14.1).
        EXPECT_EQ(ChooseCellColours(pixels, mode, background)[0], set({background, 11, 12, nearest}));
        // To be dithered: two colours that mix to a colour 4 nearer than the nearest (14.8 away),
        // one grey serving both rows of grey; the same in every cell.
        const CellColourSets mixed = ChooseCellColours(pixels, mode, background, &gaps);
        EXPECT_LT(nearestMixture(mixed[0]), Ciede2000(seen, Pepto.lab[nearest]) - 4) << mixed[0];
        EXPECT_EQ(std::count(mixed.begin(), mixed.end(), mixed[0]), CellCount);
    }
}

TEST(NearestSearch, APictureOfFourColoursACellComesBackExactly) {
    // Cells of the C64's own colours, four each, background blue everywhere.
    test::Random random(9);
    NearestTarget target;
    for (int cell = 0; cell < CellCount; ++cell) {
        const std::array<std::uint8_t, 4> colours{6, static_cast<std::uint8_t>(random.below(6)),
                                                  static_cast<std::uint8_t>(7 + random.below(4)),
                                                  static_cast<std::uint8_t>(11 + random.below(5))};
        for (int p = 0; p < 32; ++p) {
            const std::size_t at = CellPixelAt(cell, p);
            target.colours[at] = Pepto.linear[colours[static_cast<std::size_t>(random.below(4))]];
            target.held[at] = AnyColour;
        }
    }
    auto canvas = std::make_unique<Canvas>();
    auto image = std::make_unique<KoalaImage>();
    const NearestOutcome outcome =
        MakeNearestPicture(target, PeptoPalette, {PaletteMode::Multicolour, AutoBackground, DitherSettings{}}, *canvas, *image);
    EXPECT_EQ(outcome.background, 6);
    EXPECT_FALSE(outcome.changes);
    auto preview = std::make_unique<PreviewPixels>();
    RenderPreview(*image, PeptoPalette, *preview);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            const LinearRgb want = target.colours[NearestTarget::At(x, y)];
            const LinearRgb got = LinearOf((*preview)[static_cast<std::size_t>(y * PreviewWidth + 2 * x)]);
            ASSERT_EQ(want.r, got.r);
            ASSERT_EQ(want.g, got.g);
            ASSERT_EQ(want.b, got.b);
        }
    }
}

// Every dither keeps each pixel to its cell's colours (the koalizer accepts the Canvas), and the
// error diffusions bring a flat colour between palette colours out right on average.
TEST(NearestDither, EveryKindStaysInTheCellsColoursAndDiffusionKeepsTheAverage) {
    NearestTarget target;
    const LinearRgb grey{0.1f, 0.1f, 0.1f};  // between dark grey (11) and medium grey (12)
    for (std::size_t at = 0; at < TargetPixelCount; ++at) {
        target.colours[at] = grey;
        target.held[at] = AnyColour;
    }
    for (const NamedValue<DitherKind>& kind : DitherKindNames) {
        auto canvas = std::make_unique<Canvas>();
        auto image = std::make_unique<KoalaImage>();
        const NearestOutcome outcome = MakeNearestPicture(
            target, PeptoPalette, {PaletteMode::FourGreys, AutoBackground, DitherSettings{kind.value, 1.0f}}, *canvas, *image);
        EXPECT_EQ(outcome.background, 0);
        auto check = std::make_unique<KoalaImage>();
        ASSERT_TRUE(Koalize(*canvas, *check, PaletteMode::FourGreys, AutoBackground).ok()) << kind.name;
        double mean = 0;
        std::array<int, 16> used{};
        for (const std::uint8_t c : *canvas) {
            mean += Pepto.linear[c].g;
            ++used[c];
        }
        mean /= static_cast<double>(canvas->size());
        if (kind.value == DitherKind::None) {
            EXPECT_EQ(used[11] + used[12], static_cast<int>(canvas->size())) << "one of the two nearest";
            EXPECT_TRUE(used[11] == 0 || used[12] == 0);
        } else {
            EXPECT_GT(used[11], 1000) << kind.name;
            EXPECT_GT(used[12], 1000) << kind.name;
            EXPECT_NEAR(mean, 0.1, 0.01) << kind.name;
        }
    }
}

TEST(NearestDither, FitsTheBackgroundAroundAPlacedPicture) {
    NearestTarget target = SmoothTarget(11);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            if (y < 30 || y >= 170) target.held[NearestTarget::At(x, y)] = OutsidePicture;
        }
    }
    auto canvas = std::make_unique<Canvas>();
    auto image = std::make_unique<KoalaImage>();
    const NearestOutcome outcome = MakeNearestPicture(target, PeptoPalette, {}, *canvas, *image);
    for (int x = 0; x < CanvasColumns; ++x) {
        EXPECT_EQ(test::ShownColour(*image, x, 0), outcome.background);
        EXPECT_EQ(test::ShownColour(*image, x, 199), outcome.background);
    }
}

// A pixel that is not fully opaque is no part of the picture (its pair, unscaled; under half
// opaque, scaled): the background goes there, whatever colour is hidden under it.
TEST(NearestTarget, TransparentPixelsLieOutsideThePicture) {
    DecodedPicture picture{.width = 4, .height = 1, .rgb = {}, .indexes = {}, .alpha = {255, 255, 255, 254}};
    picture.rgb.assign(4, Rgb{0x0A, 0xC8, 0x1E});
    const NearestTarget paired = TargetFromPairs(picture, {0, 0, 4, 1}, {});
    EXPECT_TRUE(paired.Inside(NearestTarget::At(0, 0)));
    EXPECT_FALSE(paired.Inside(NearestTarget::At(1, 0)));

    picture.alpha = {128, 127, 0, 255};
    const NearestTarget scaled = TargetFromScaled(picture, 10, 3);
    EXPECT_TRUE(scaled.Inside(NearestTarget::At(10, 3)));
    EXPECT_FALSE(scaled.Inside(NearestTarget::At(11, 3)));
    EXPECT_FALSE(scaled.Inside(NearestTarget::At(12, 3)));
    EXPECT_TRUE(scaled.Inside(NearestTarget::At(13, 3)));
}

}  // namespace
}  // namespace pxm

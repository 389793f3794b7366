#include <gtest/gtest.h>

#include <bit>
#include <memory>

#include "core/koala/koala_image.h"
#include "core/nearest/nearest_picture.h"
#include "core/palette/c64_palettes.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

const ShownColours Pepto = ShownColoursOf(C64Palettes[DefaultPalette]);

// Pixel art inside the given cells only; each pixel one of `colours` first colours, some pixels
// (one in `mixedOneIn`, 0 for none) a mixed pair.
NearestTarget RandomArt(test::Random& random, std::span<const int> cells, int colours, int mixedOneIn) {
    NearestTarget target;
    target.pixelArt = true;
    for (const int cell : cells) {
        for (int p = 0; p < 32; ++p) {
            const std::size_t at = CellPixelAt(cell, p);
            const auto colour = static_cast<std::uint8_t>(random.below(colours));
            const bool mixed = mixedOneIn > 0 && random.below(mixedOneIn) == 0;
            target.held[at] = mixed ? AnyColour : colour;
            target.colours[at] = Pepto.linear[colour];
        }
    }
    return target;
}

// Every background and every three further colours for each cell, all combinations together.
int BruteForceFewest(const NearestTarget& target, std::span<const int> cells, const ModeColours& mode) {
    std::vector<ColourSet> threes;
    for (unsigned set = 0; set < 0x10000; ++set) {
        if (std::popcount(set) == 3 && (set & ~unsigned{mode.cellColours}) == 0) threes.push_back(static_cast<ColourSet>(set));
    }
    const auto changedIn = [&](int cell, ColourSet kept) {
        int changed = 0;
        for (int p = 0; p < 32; ++p) {
            const std::uint8_t held = target.held[CellPixelAt(cell, p)];
            changed += held == AnyColour || (held < 16 && !Holds(kept, held)) ? 1 : 0;
        }
        return changed;
    };
    int best = 1 << 30;
    for (int b = 0; b < 16; ++b) {
        if (!Holds(mode.backgrounds, b)) continue;
        std::array<std::vector<int>, 2> changed;
        for (std::size_t k = 0; k < 2; ++k) {
            for (const ColourSet three : threes) changed[k].push_back(changedIn(cells[k], static_cast<ColourSet>(three | 1u << b)));
        }
        for (const int first : changed[0]) {
            for (const int second : changed[1]) best = std::min(best, first + second);
        }
    }
    return best;
}

TEST(NearestFewestChanges, EqualsTheBruteForceOptimumOnRandomPictures) {
    test::Random random(17);
    const std::array<int, 2> cells{0, 41};
    for (int round = 0; round < 6; ++round) {
        const NearestTarget target = RandomArt(random, cells, 4 + round, round % 3 == 2 ? 9 : 0);
        auto canvas = std::make_unique<Canvas>();
        const ModeColours mode = ModeColoursOf(PaletteMode::Multicolour, AutoBackground);
        PaletteDistances distances(Pepto);
        const FewestChanges fewest = FindFewestChanges(target, distances, mode, *canvas);
        EXPECT_EQ(fewest.changedPixels, BruteForceFewest(target, cells, mode)) << "round " << round;
    }
}

TEST(NearestFewestChanges, GreyModesToo) {
    test::Random random(5);
    const std::array<int, 2> cells{7, 999};
    for (const PaletteMode paletteMode : {PaletteMode::FourGreys, PaletteMode::FiveGreys}) {
        const NearestTarget target = RandomArt(random, cells, 16, 0);
        auto canvas = std::make_unique<Canvas>();
        const ModeColours mode = ModeColoursOf(paletteMode, AutoBackground);
        PaletteDistances distances(Pepto);
        const FewestChanges fewest = FindFewestChanges(target, distances, mode, *canvas);
        EXPECT_EQ(fewest.changedPixels, BruteForceFewest(target, cells, mode));
        EXPECT_EQ(fewest.background, 0);
    }
}

TEST(NearestFewestChanges, ChangedPixelsTakeTheNearestKeptColourAndAreCounted) {
    NearestTarget target;
    target.pixelArt = true;
    // Cell 0: black, white, red, cyan on 31 pixels; one pixel light red (10), which lies nearest
    // to red (2) of those.
    const std::array<std::uint8_t, 4> colours{0, 1, 2, 3};
    for (int p = 0; p < 32; ++p) {
        const std::size_t at = CellPixelAt(0, p);
        target.held[at] = p == 5 ? 10 : colours[static_cast<std::size_t>(p % 4)];
        target.colours[at] = Pepto.linear[target.held[at]];
    }
    auto canvas = std::make_unique<Canvas>();
    auto image = std::make_unique<KoalaImage>();
    const NearestOutcome outcome =
        MakeNearestPicture(target, C64Palettes[DefaultPalette], {PaletteMode::Multicolour, AutoBackground, {}}, *canvas, *image);
    ASSERT_TRUE(outcome.changes);
    EXPECT_EQ(outcome.changes->pixels, 1);
    EXPECT_EQ(outcome.changes->cells, 1);
    EXPECT_EQ(test::ShownColour(*image, 1, 1), 2);
    for (int p = 0; p < 32; ++p) {
        if (p == 5) continue;
        EXPECT_EQ(test::ShownColour(*image, p % 4, p / 4), colours[static_cast<std::size_t>(p % 4)]);
    }
    // Outside the picture: the background.
    EXPECT_EQ(test::ShownColour(*image, 100, 100), outcome.background);
}

}  // namespace
}  // namespace pxm

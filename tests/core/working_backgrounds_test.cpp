#include "core/koala/working_backgrounds.h"

#include <gtest/gtest.h>

#include "core/koala/koalize.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// Every cell with a few values of a range; 16 and above act as free colour slots.
std::unique_ptr<Canvas> RandomCanvas(test::Random& random, int coloursPerCell, int valueRange) {
    auto canvas = test::FilledCanvas(0);
    for (int cell = 0; cell < CellCount; ++cell) {
        std::vector<std::uint8_t> colours;
        for (int i = 0; i < coloursPerCell; ++i) colours.push_back(static_cast<std::uint8_t>(random.below(valueRange)));
        for (int k = 0; k < 8; ++k) {
            for (int p = 0; p < 4; ++p)
                test::CellPixel(*canvas, cell, k, p) = colours[static_cast<std::size_t>(random.below(coloursPerCell))];
        }
    }
    return canvas;
}

std::vector<std::uint8_t> ByTryingEach(const Canvas& canvas) {
    auto image = std::make_unique<KoalaImage>();
    std::vector<std::uint8_t> working;
    for (std::uint8_t b = 0; b < 16; ++b) {
        if (KoalizeMulticolour(canvas, *image, b).ok()) working.push_back(b);
    }
    return working;
}

TEST(WorkingBackgroundsModel, AgreesWithTryingEveryBackground) {
    test::Random random(2024);
    int withSome = 0;
    int withNone = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Four colours per cell keep a few backgrounds alive now and then; 17 and 20 bring
        // values above 15 into play.
        const int valueRange = round % 3 == 0 ? 17 : round % 3 == 1 ? 20 : 16;
        const auto canvas = RandomCanvas(random, round % 2 == 0 ? 3 : 4, valueRange);
        if (round % 4 == 0) {
            // Let one colour run through every cell, so that it is a background that works.
            for (int cell = 0; cell < CellCount; ++cell) test::CellPixel(*canvas, cell, 0, 0) = 9;
        }
        const auto expected = ByTryingEach(*canvas);
        EXPECT_EQ(WorkingBackgrounds(*canvas), expected);
        (expected.empty() ? withNone : withSome) += 1;
    }
    EXPECT_GT(withSome, 5);
    EXPECT_GT(withNone, 5);
}

TEST(WorkingBackgrounds, EveryOneForAPictureOfThreeColoursACellAndNoneForACrowdedCell) {
    auto canvas = test::FilledCanvas(0);
    std::vector<std::uint8_t> all(16);
    for (std::uint8_t b = 0; b < 16; ++b) all[b] = b;
    EXPECT_EQ(WorkingBackgrounds(*canvas), all);
    for (int k = 0; k < 4; ++k) test::SetCellRow(*canvas, 77, k, {1, 2, 3, 1});
    // Cell 77 holds 0-3: only one of them as the background leaves at most three more.
    EXPECT_EQ(WorkingBackgrounds(*canvas), (std::vector<std::uint8_t>{0, 1, 2, 3}));
    test::SetCellRow(*canvas, 77, 5, {5, 5, 5, 5});
    EXPECT_TRUE(WorkingBackgrounds(*canvas).empty());
}

}  // namespace
}  // namespace pxm

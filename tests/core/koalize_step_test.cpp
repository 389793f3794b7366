#include <gtest/gtest.h>

#include "core/koala/koalize_step.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// A canvas whose cell 5 holds the given colours, one pixel row each, on a black picture.
std::unique_ptr<Canvas> CanvasWithCell5(std::initializer_list<std::uint8_t> colours) {
    auto canvas = test::FilledCanvas(0);
    int k = 0;
    for (const std::uint8_t c : colours) test::SetCellRow(*canvas, 5, k++, {c, c, c, c});
    return canvas;
}

TEST(KoalizeStep, EachFailureWithItsPlaceAndMessage) {
    struct Case {
        const char* what;
        std::initializer_list<std::uint8_t> cell5;
        PaletteMode mode;
        BackgroundChoice background;
        KoalizeFailure failure;
        const Message* message;
    };
    const Case cases[] = {
        {"white in four greys", {0, 1}, PaletteMode::FourGreys, AutoBackground, KoalizeFailure::NotFourGreys,
         &msg::NotFourGreys},
        {"red in five greys", {0, 2}, PaletteMode::FiveGreys, AutoBackground, KoalizeFailure::NotFiveGreys,
         &msg::NotFiveGreys},
        {"white and every grey", {1, 11, 12, 15}, PaletteMode::FiveGreys, AutoBackground,
         KoalizeFailure::WhiteWithAllGreys, &msg::NotC64Picture},
        {"four colours on a fixed background", {0, 2, 3, 4, 5}, PaletteMode::Multicolour, {6},
         KoalizeFailure::BackgroundDoesNotFit, &msg::BackgroundDoesNotFit},
        {"five colours under AUTO", {1, 2, 3, 4, 5}, PaletteMode::Multicolour, AutoBackground,
         KoalizeFailure::NoBackgroundWorks, &msg::NotC64Picture},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto canvas = CanvasWithCell5(c.cell5);
        auto image = test::FilledImage(0);
        const KoalizeOutcome outcome = Koalize(*canvas, *image, c.mode, c.background);
        EXPECT_FALSE(outcome.ok());
        EXPECT_EQ(outcome.failure, c.failure);
        EXPECT_EQ(outcome.failedCell, 5);
        EXPECT_EQ(&FailureMessage(outcome.failure), c.message);
        EXPECT_FALSE(outcome.autoBackground);
    }
}

TEST(KoalizeStep, ForeignGreyPixelIsNamed) {
    const auto canvas = CanvasWithCell5({0, 0, 7});
    auto image = test::FilledImage(0);
    const KoalizeOutcome outcome = Koalize(*canvas, *image, PaletteMode::FourGreys, AutoBackground);
    EXPECT_EQ(outcome.pixelColumn, 20);  // cell 5 starts at double-wide column 4 x 5
    EXPECT_EQ(outcome.pixelRow, 2);
}

TEST(KoalizeStep, FixedBackgroundNamedInTheFailure) {
    const auto canvas = CanvasWithCell5({0, 2, 3, 4, 5});
    auto image = test::FilledImage(0);
    EXPECT_EQ(Koalize(*canvas, *image, PaletteMode::Multicolour, {9}).failedBackground, 9);
}

TEST(KoalizeStep, AutoNamesTheBackgroundItChose) {
    // Cell 5 holds four colours and no black: one of them must be the background, the lowest.
    const auto canvas = CanvasWithCell5({14, 4, 3, 2, 14, 4, 3, 2});
    auto image = test::FilledImage(0);
    const KoalizeOutcome outcome = Koalize(*canvas, *image, PaletteMode::Multicolour, AutoBackground);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.autoBackground, 2);
    EXPECT_EQ((*image)[KoalaBackgroundOffset], 2);
}

TEST(KoalizeStep, FixedBackgroundAndGreyModesChooseNothing) {
    const auto canvas = test::FilledCanvas(0);
    auto image = test::FilledImage(0);
    EXPECT_FALSE(Koalize(*canvas, *image, PaletteMode::Multicolour, {0}).autoBackground);
    EXPECT_FALSE(Koalize(*canvas, *image, PaletteMode::FiveGreys, AutoBackground).autoBackground);
}

}  // namespace
}  // namespace pxm

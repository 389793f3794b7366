#include <gtest/gtest.h>

#include <memory>

#include "core/nearest/nearest_picture.h"
#include "core/nearest/seen_distance.h"
#include "core/palette/c64_palettes.h"

namespace pxm {
namespace {

// A flat target of one colour over the whole screen.
NearestTarget Flat(LinearRgb colour) {
    NearestTarget target;
    for (std::size_t at = 0; at < TargetPixelCount; ++at) {
        target.colours[at] = colour;
        target.held[at] = AnyColour;
    }
    return target;
}

void Paint(Canvas& canvas, std::uint8_t even, std::uint8_t odd) {
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) canvas[CanvasIndex(x, y)] = (x + y) % 2 == 0 ? even : odd;
    }
}

// The eye blends neighbouring pixels: a checkerboard of black and white is seen as the grey
// halfway between them in linear light, nearer to that grey than either flat colour or any
// flat grey of the palette; a picture of the target's own colours lies at no distance.
TEST(SeenDistance, ACheckerboardIsSeenAsTheColourItAverages) {
    const ShownColours shown = ShownColoursOf(C64Palettes[DefaultPalette]);
    const LinearRgb black = shown.linear[0];
    const LinearRgb white = shown.linear[1];
    const NearestTarget target = Flat({(black.r + white.r) / 2, (black.g + white.g) / 2, (black.b + white.b) / 2});
    const std::vector<Lab> seen = SeenTarget(target, black);
    auto canvas = std::make_unique<Canvas>();
    Paint(*canvas, 0, 1);
    const double checkerboard = SeenDistance(target, seen, *canvas, shown);
    EXPECT_LT(checkerboard, 1.0);
    for (const std::uint8_t flat : {0, 1, 11, 12, 15}) {
        Paint(*canvas, flat, flat);
        EXPECT_GT(SeenDistance(target, seen, *canvas, shown), 5 * checkerboard) << int{flat};
    }

    const NearestTarget blue = Flat(shown.linear[6]);
    Paint(*canvas, 6, 6);
    EXPECT_NEAR(SeenDistance(blue, SeenTarget(blue, black), *canvas, shown), 0.0, 0.01);
}

// Only the picture counts: outside it, where the background shows, no difference is counted.
TEST(SeenDistance, PixelsOutsideThePictureDoNotCount) {
    const ShownColours shown = ShownColoursOf(C64Palettes[DefaultPalette]);
    NearestTarget target = Flat(shown.linear[5]);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < 80; ++x) target.held[NearestTarget::At(x, y)] = OutsidePicture;
    }
    auto canvas = std::make_unique<Canvas>();
    Paint(*canvas, 5, 5);
    // Beyond the picture the background (2) next to it, and black further off, which the
    // target as seen does not have: it is no part of the picture and does not count.
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < 80; ++x) (*canvas)[CanvasIndex(x, y)] = x < 70 ? 0 : 2;
    }
    EXPECT_NEAR(SeenDistance(target, SeenTarget(target, shown.linear[2]), *canvas, shown), 0.0, 0.01);
}

}  // namespace
}  // namespace pxm

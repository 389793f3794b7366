// A camera's picture turned as its EXIF orientation says: where each stored corner is shown, for
// all eight orientations, with colours, indexes and opacities moved together.
#include "core/import/orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace pxm {
namespace {

// A 3x2 picture whose corners differ: red, green (top), blue, white (bottom), grey between.
constexpr Rgb Red{255, 0, 0};
constexpr Rgb Green{0, 255, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Grey{128, 128, 128};

DecodedPicture Stored() {
    DecodedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.rgb = {Red, Grey, Green, Blue, Grey, White};
    picture.indexes = {0, 9, 1, 2, 9, 3};
    picture.alpha = {255, 100, 254, 253, 100, 252};
    return picture;
}

struct Case {
    unsigned tag;
    std::array<Rgb, 4> corners;  // shown top left, top right, bottom left, bottom right
};

// What a viewer shows, by the tag's definition (the stored first row and column's place).
constexpr std::array<Case, 8> Cases{{
    {1, {Red, Green, Blue, White}},
    {2, {Green, Red, White, Blue}},
    {3, {White, Blue, Green, Red}},
    {4, {Blue, White, Red, Green}},
    {5, {Red, Blue, Green, White}},
    {6, {Blue, Red, White, Green}},
    {7, {White, Green, Blue, Red}},
    {8, {Green, White, Red, Blue}},
}};

TEST(Orientation, EachTagShowsTheCornersWhereAViewerShowsThem) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.tag);
        const DecodedPicture shown = Oriented(Stored(), OrientationFromTag(c.tag));
        const bool turned = c.tag >= 5;
        ASSERT_EQ(shown.width, turned ? 2 : 3);
        ASSERT_EQ(shown.height, turned ? 3 : 2);
        const int right = shown.width - 1;
        const int bottom = shown.height - 1;
        const std::array<std::size_t, 4> at{shown.At(0, 0), shown.At(right, 0), shown.At(0, bottom), shown.At(right, bottom)};
        const std::array<Rgb, 4> stored{Red, Green, Blue, White};
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(shown.rgb[at[k]], c.corners[k]) << "corner " << k;
            // The index and opacity of a pixel travel with its colour.
            const auto from = static_cast<std::size_t>(std::find(stored.begin(), stored.end(), c.corners[k]) - stored.begin());
            EXPECT_EQ(shown.indexes[at[k]], from) << "corner " << k;
            EXPECT_EQ(shown.alpha[at[k]], 255 - from) << "corner " << k;
        }
        // The grey middle column stays between the corners: in the middle row or column.
        EXPECT_EQ(turned ? shown.rgb[shown.At(0, 1)] : shown.rgb[shown.At(1, 0)], Grey);
    }
}

TEST(Orientation, AnUnknownTagShowsThePictureAsStored) {
    for (const unsigned tag : {0u, 9u, 255u, 65535u}) {
        const DecodedPicture shown = Oriented(Stored(), OrientationFromTag(tag));
        EXPECT_EQ(shown.width, 3);
        EXPECT_EQ(shown.rgb, Stored().rgb);
    }
}

TEST(Orientation, APictureWithoutIndexesOrAlphaGetsNone) {
    DecodedPicture stored = Stored();
    stored.indexes.clear();
    stored.alpha.clear();
    const DecodedPicture shown = Oriented(stored, Orientation::TurnedRight);
    EXPECT_FALSE(shown.Indexed());
    EXPECT_TRUE(shown.alpha.empty());
    EXPECT_EQ(shown.rgb.size(), 6u);
}

}  // namespace
}  // namespace pxm

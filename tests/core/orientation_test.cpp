// A camera's picture turned as its EXIF orientation says: where each stored corner is shown, for
// all eight orientations, with colours, indexes and opacities moved together.
#include "core/import/orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "tests/support/exif_corners.h"

namespace pxm {
namespace {

constexpr Rgb AsRgb(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

// A 3x2 picture whose corners differ (as the table has them), grey between.
constexpr std::array<Rgb, 4> StoredCorners{AsRgb(test::CornerRed), AsRgb(test::CornerGreen), AsRgb(test::CornerBlue),
                                           AsRgb(test::CornerWhite)};
constexpr Rgb Grey{128, 128, 128};

DecodedPicture Stored() {
    DecodedPicture picture;
    picture.width = 3;
    picture.height = 2;
    picture.rgb = {StoredCorners[0], Grey, StoredCorners[1], StoredCorners[2], Grey, StoredCorners[3]};
    picture.indexes = {0, 9, 1, 2, 9, 3};
    picture.alpha = {255, 100, 254, 253, 100, 252};
    return picture;
}

TEST(Orientation, EachTagShowsTheCornersWhereAViewerShowsThem) {
    for (const test::ShownCorners& c : test::ExifShownCorners) {
        SCOPED_TRACE(c.tag);
        const DecodedPicture shown = Oriented(Stored(), OrientationFromTag(c.tag));
        const bool turned = c.tag >= 5;
        ASSERT_EQ(shown.width, turned ? 2 : 3);
        ASSERT_EQ(shown.height, turned ? 3 : 2);
        const int right = shown.width - 1;
        const int bottom = shown.height - 1;
        const std::array<std::size_t, 4> at{shown.At(0, 0), shown.At(right, 0), shown.At(0, bottom), shown.At(right, bottom)};
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(shown.rgb[at[k]], AsRgb(c.corners[k])) << "corner " << k;
            // The index and opacity of a pixel travel with its colour.
            const auto from = static_cast<std::size_t>(
                std::find(StoredCorners.begin(), StoredCorners.end(), AsRgb(c.corners[k])) - StoredCorners.begin());
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

// The part of a stored picture kept for the shown picture's top left is that top left, turned.
TEST(Orientation, TheStoredPartShownTopLeftIsThatTopLeft) {
    DecodedPicture stored{.width = 7, .height = 5, .rgb = {}, .indexes = {}, .alpha = {}};
    for (int i = 0; i < 35; ++i) stored.rgb.push_back({static_cast<std::uint8_t>(i), 0, 0});
    for (unsigned tag = 1; tag <= 8; ++tag) {
        SCOPED_TRACE(tag);
        const Orientation orientation = OrientationFromTag(tag);
        const DecodedPicture shown = Oriented(stored, orientation);
        const StoredPart part = StoredPartShownTopLeft(orientation, 7, 5, 3, 2);
        DecodedPicture cut{.width = part.width, .height = part.height, .rgb = {}, .indexes = {}, .alpha = {}};
        for (int y = part.top; y < part.top + part.height; ++y) {
            for (int x = part.left; x < part.left + part.width; ++x) cut.rgb.push_back(stored.rgb[stored.At(x, y)]);
        }
        const DecodedPicture turned = Oriented(cut, orientation);
        ASSERT_EQ(turned.width, 3);
        ASSERT_EQ(turned.height, 2);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) EXPECT_EQ(turned.rgb[turned.At(x, y)], shown.rgb[shown.At(x, y)]) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace pxm

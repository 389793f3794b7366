// Where the nearest picture of a photograph lands on the screen, through the library: fitted
// inside the background (above and below, or left and right, as its shape says), filling the
// screen with its middle, stretched whole, or placed unscaled from its top left; the cells the
// picture leaves hold the background alone.
#include <gtest/gtest.h>

#include <set>

#include "core/koala/koala_image.h"
#include "tests/lib/lib_test_support.h"
#include "tests/support/c64_art.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

constexpr std::size_t LoadAddressBytes = 2;

// 800 x 200 pixels in four upright stripes of C64 colours, 200 pixels each: red, green, blue,
// yellow.
constexpr std::array<int, 4> StripeColours{2, 5, 6, 7};
std::uint32_t Stripes(int x, int) { return PeptoHex(StripeColours[static_cast<std::size_t>(x / 200)]); }

int BackgroundOf(const Outcome& result) { return result.file.back() & 15; }  // a Koala file ends with it

// Every preview pixel of the rows given is the background.
void ExpectBackgroundRows(const Outcome& result, int from, int to) {
    const Rgb background = PeptoColour(BackgroundOf(result));
    for (int y = from; y < to; ++y) {
        for (int x = 0; x < 320; ++x) ASSERT_EQ(result.At(x, y), background) << x << "," << y;
    }
}

// The stripes the preview shows from left to right, read at the middle of each quarter of the
// screen on the rows given.
void ExpectStripes(const Outcome& result, int from, int to, const std::array<int, 4>& colours) {
    for (int y = from; y < to; y += 3) {
        for (std::size_t quarter = 0; quarter < 4; ++quarter) {
            const int x = 40 + 80 * static_cast<int>(quarter);
            EXPECT_EQ(result.At(x, y), PeptoColour(colours[quarter])) << x << "," << y;
        }
    }
}

Outcome ConvertedStripes(const std::string& scale) {
    const Outcome result = Converted({{"nearest", "1"}, {"scale", scale}}, MakePng({.width = 800, .height = 200}, Stripes));
    EXPECT_EQ(result.status, 0) << result.message;
    EXPECT_EQ(result.file.size(), LoadAddressBytes + KoalaImageSize);
    EXPECT_EQ(result.width, 320);
    return result.file.size() == LoadAddressBytes + KoalaImageSize && result.width == 320 ? result : Outcome{};
}

TEST(NearestPlacement, FitKeepsTheShapeAndLeavesTheBackgroundAboveAndBelow) {
    // Four times as wide as tall: 160 multicolour pixels across take 75 rows, from row 62.
    const Outcome fit = ConvertedStripes("fit");
    ASSERT_FALSE(fit.file.empty());
    ExpectBackgroundRows(fit, 0, 62);
    ExpectBackgroundRows(fit, 137, 200);
    ExpectStripes(fit, 64, 135, StripeColours);
    // The cells the picture leaves untouched are background alone: every bitmap pair 00.
    for (const int cellRow : {0, 1, 2, 3, 4, 5, 6, 18, 19, 20, 21, 22, 23, 24}) {
        for (std::size_t at = 320 * static_cast<std::size_t>(cellRow); at < 320 * static_cast<std::size_t>(cellRow + 1); ++at)
            ASSERT_EQ(fit.file[LoadAddressBytes + KoalaBitmapOffset + at], 0) << "cell row " << cellRow;
    }
}

TEST(NearestPlacement, FillShowsTheMiddleOnTheWholeScreen) {
    // The middle 37% of the width fills the screen: the green and the blue stripe, half each.
    const Outcome fill = ConvertedStripes("fill");
    ASSERT_FALSE(fill.file.empty());
    ExpectStripes(fill, 0, 200, {5, 5, 6, 6});
}

TEST(NearestPlacement, StretchShowsTheWholePictureOnTheWholeScreen) {
    const Outcome stretch = ConvertedStripes("stretch");
    ASSERT_FALSE(stretch.file.empty());
    ExpectStripes(stretch, 0, 200, StripeColours);
}

TEST(NearestPlacement, NonePlacesTheTopLeftUnscaled) {
    // The file's first 320 x 200 pixels, one screen pixel each: 200 of red, then green. Of C64
    // colours alone, it is the picture as it stands.
    const Outcome none = ConvertedStripes("none");
    ASSERT_FALSE(none.file.empty());
    EXPECT_EQ(none.message, "Palette: pepto.\nChosen background color: black.\nChanged 0 pixels in 0 cells.\n");
    for (int y = 0; y < 200; y += 7) {
        for (int x = 0; x < 320; ++x) ASSERT_EQ(none.At(x, y), PeptoColour(x < 200 ? 2 : 5)) << x << "," << y;
    }
}

TEST(NearestPlacement, ALargePhotographIsFittedBetweenColumnsOfBackground) {
    // 1000 x 700: taller than the screen's shape, so it fills the height and leaves three
    // multicolour pixels of background at each side.
    const Outcome result = Converted({{"nearest", "1"}}, MakePng({.width = 1000, .height = 700}, [](int x, int y) {
        return SmoothPhoto(x, y);
    }));
    ASSERT_EQ(result.status, 0) << result.message;
    EXPECT_EQ(result.message.rfind("Chosen background color: ", 0), 0u) << result.message;
    ASSERT_EQ(result.width, 320);
    const Rgb background = PeptoColour(BackgroundOf(result));
    for (int y = 0; y < 200; ++y) {
        for (const int x : {0, 5, 314, 319}) EXPECT_EQ(result.At(x, y), background) << x << "," << y;
    }
    std::set<std::uint32_t> inside;
    for (int y = 0; y < 200; ++y) {
        for (int x = 6; x < 314; ++x) inside.insert(Packed(result.At(x, y)));
    }
    EXPECT_GE(inside.size(), 8u) << "a photograph takes many of the sixteen colours";
}

TEST(NearestPlacement, ALargeJpegIsDecodedSmallerAndFittedAsItsShapeSays) {
    // Without --nearest a lossy JPEG is refused for its colours; with it, 2600 x 1700 is wider
    // than the screen's shape, so rows of background lie above and below it.
    const auto photo = [](int x, int y) { return SmoothPhoto(x, y, 0.4); };
    const std::vector<std::uint8_t> small = MakeJpeg({.quality = 80}, photo);
    EXPECT_EQ(Converted({}, small).status, 1);
    EXPECT_EQ(Converted({{"nearest", "1"}}, small).status, 0);

    const Outcome result = Converted({{"nearest", "1"}}, MakeJpeg({.width = 2600, .height = 1700, .quality = 80}, photo));
    ASSERT_EQ(result.status, 0) << result.message;
    ASSERT_EQ(result.width, 320);
    ExpectBackgroundRows(result, 0, 2);
    ExpectBackgroundRows(result, 198, 200);
    std::set<std::uint32_t> inside;
    for (int y = 4; y < 196; ++y) {
        for (int x = 0; x < 320; ++x) inside.insert(Packed(result.At(x, y)));
    }
    EXPECT_GE(inside.size(), 8u);
}

TEST(NearestPlacement, SmallPhotographsAndUnframedScreenshotSizesAreScaledToFit) {
    const auto photo = [](int x, int y) { return SmoothPhoto(x, y, 5); };
    // 200 x 150 fills the screen's height: its last rows are picture, not background.
    const Outcome fitted = Converted({{"nearest", "1"}}, MakePng({.width = 200, .height = 150}, photo));
    ASSERT_EQ(fitted.status, 0) << fitted.message;
    int picture = 0;
    for (int y = 160; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) picture += fitted.At(x, y) != fitted.At(0, 0);
    }
    EXPECT_GE(picture, 320 * 20);
    // 384 x 272 without a border of one colour: scaled, with background at both sides.
    const Outcome scaled = Converted({{"nearest", "1"}}, MakePng({.width = 384, .height = 272}, photo));
    ASSERT_EQ(scaled.status, 0) << scaled.message;
    for (int y = 0; y < 200; y += 9) {
        for (const int x : {0, 7, 312, 319}) EXPECT_EQ(scaled.At(x, y), PeptoColour(BackgroundOf(scaled))) << x << "," << y;
    }
    // With a border of one colour, the same picture is a screenshot: its middle is placed.
    const Outcome placed = Converted({{"nearest", "1"}}, MakePng({.width = 384, .height = 272}, [&](int x, int y) {
        return x >= 32 && x < 352 && y >= 35 && y < 235 ? photo(x, y) : 0x352879u;
    }));
    ASSERT_EQ(placed.status, 0) << placed.message;
    std::set<std::uint32_t> leftColumn;
    for (int y = 0; y < 200; ++y) leftColumn.insert(Packed(placed.At(0, y)));
    EXPECT_GE(leftColumn.size(), 3u);
}

}  // namespace
}  // namespace pxm::test

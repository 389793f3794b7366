// The clash map Convert makes when asked: the picture as read with every cell that fails under
// the background framed (the cells this test counts as crowded itself), made whether the picture
// converts or not, of the picture as read with --nearest; none of a picture that is not read.
// The refusal's count agrees with it.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/lib/lib_test_support.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/c64_art.h"
#include "tests/support/clash_map_check.h"
#include "tests/support/gif_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

Rgb ClashingColour(int x, int y) { return PeptoColour(Clashing(x, y)); }

void ExpectMapOf(const Told& told, const std::function<Rgb(int, int)>& file, int width, int height, int left, int top,
                 const std::set<int>& marked) {
    ASSERT_TRUE(told.conversion.clashMap.has_value()) << told.err;
    const RgbPicture& map = *told.conversion.clashMap;
    EXPECT_EQ(map.cellsLeft, left);
    EXPECT_EQ(map.cellsTop, top);
    ExpectMap({map.width, map.height, map.pixels}, file, width, height, left, top, marked);
}

// "N cells hold more colours than they may; ..." and the first line after it.
std::string CountLine(std::size_t count, std::string_view before, std::string_view after = "") {
    std::ostringstream line;
    line << before << count << " cells hold more colours than they may; --clash-map shows them all.\n" << after;
    return line.str();
}

TEST(ClashMap, ARefusedPictureMarksEveryCellThatFailsUnderItsBackground) {
    const std::vector<std::uint8_t> png = MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); });
    for (const int background : {0, 6, 9}) {
        SCOPED_TRACE(background);
        const Told told = ConvertTold(OptionsOf({{Option::Background, std::to_string(background)}}), png, true);
        ASSERT_FALSE(told.conversion.outcome);
        EXPECT_EQ(told.conversion.outcome.error().kind, ConversionFailure::Kind::Refused);
        const std::set<int> crowded = CrowdedCells(Clashing, background);
        ASSERT_FALSE(crowded.empty());
        std::ostringstream first;
        first << "Cell " << *crowded.begin() % 40 << "," << *crowded.begin() / 40 << " ";
        EXPECT_NE(told.err.find(CountLine(crowded.size(), "\n", first.str())), std::string::npos) << told.err;
        ExpectMapOf(told, ClashingColour, 320, 200, 0, 0, crowded);
    }
}

// The C interface shows a refused picture's map where the preview would be.
TEST(ClashMap, TheCInterfaceShowsItInsteadOfThePreview) {
    const std::vector<std::uint8_t> png = MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); });
    const Outcome result = Converted({{"background", "0"}}, png);
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_FALSE(result.hasFile);
    const Told told = ConvertTold(OptionsOf({{Option::Background, "0"}}), png);
    EXPECT_EQ(result.message, told.info + told.err);
    ExpectMap({result.width, result.height, result.Pixels()}, ClashingColour, 320, 200, 0, 0, CrowdedCells(Clashing, 0));
}

TEST(ClashMap, WithNearestTheMapIsThatOfThePictureAsRead) {
    // The clashing picture is changed and converted; its map marks the cells that clashed.
    const std::vector<std::uint8_t> png = MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); });
    const Told told = ConvertTold(OptionsOf({{Option::Nearest, ""}, {Option::Background, "0"}}), png, true);
    ASSERT_TRUE(told.conversion.outcome) << told.err;
    EXPECT_EQ(told.err, "");
    ExpectMapOf(told, ClashingColour, 320, 200, 0, 0, CrowdedCells(Clashing, 0));

    // A photograph of another size has no such map: it is converted, and a line says why.
    const Told photo = ConvertTold(OptionsOf({{Option::Nearest, ""}}),
                                   MakePng({.width = 500, .height = 300}, [](int x, int y) { return SmoothPhoto(x, y); }), true);
    ASSERT_TRUE(photo.conversion.outcome) << photo.err;
    EXPECT_FALSE(photo.conversion.clashMap.has_value());
    EXPECT_EQ(photo.err.rfind("pixmosaic-cli: no clash map: This PNG file is 500x300", 0), 0u) << photo.err;
}

TEST(ClashMap, AScreenshotUnderAutoShowsTheBackgroundThatLeavesTheFewest) {
    // With 13 for black, only blue (6), yellow, orange and 13 free the four-colour cells.
    const auto picture = [](int x, int y) { return Clashing(x, y) == 0 ? 13 : Clashing(x, y); };
    const auto file = [&](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        return PeptoColour(inside ? picture(x - 32, y - 35) : 14);
    };
    const Told told =
        ConvertTold({}, MakePng({.width = 384, .height = 272}, [&](int x, int y) { return Packed(file(x, y)); }), true);
    ASSERT_FALSE(told.conversion.outcome);
    const std::set<int> fewest = CrowdedCells(picture, 6);
    for (int b = 0; b < 16; ++b) EXPECT_GE(CrowdedCells(picture, b).size(), fewest.size()) << b;
    EXPECT_LT(fewest.size(), CrowdedCells(picture, 0).size());
    EXPECT_NE(told.err.find(CountLine(fewest.size(), "\nNo background works; with background 6 (blue), which leaves the fewest, ")),
              std::string::npos)
        << told.err;
    ExpectMapOf(told, file, 384, 272, 32, 35, fewest);
}

TEST(ClashMap, UnmarkedWhenThePictureKoalizes) {
    // A BMP shows as its colour numbers in pepto; a GIF as its own colours (here vice's).
    const auto fits = [](int x, int y) { return (x / 2 + y) % 3 == 0 ? 0 : 1 + (x / 8 + y / 8) % 3 * 4; };
    const Told bmp = ConvertTold({}, MakeBmp({}, fits), true);
    ASSERT_TRUE(bmp.conversion.outcome) << bmp.err;
    ExpectMapOf(bmp, [&](int x, int y) { return PeptoColour(fits(x, y)); }, 320, 200, 0, 0, {});

    const C64Palette& vice = C64Palettes[*FindPalette("vice")];
    const std::vector<Rgb> table(vice.colours.begin(), vice.colours.end());
    const Told gif = ConvertTold({}, MakeGif({.width = 40, .height = 16, .table = table}, [&](int, int x, int y) { return fits(x, y); }), true);
    ASSERT_TRUE(gif.conversion.outcome) << gif.err;
    // Beyond the 40x16 picture, the Canvas's colour 0 in the palette taken.
    ExpectMapOf(gif, [&](int x, int y) { return vice.colours[x < 40 && y < 16 ? static_cast<std::size_t>(fits(x, y)) : 0]; },
                320, 200, 0, 0, {});
}

TEST(ClashMap, NoneOfAPictureThatIsNotReadOrNotAsked) {
    // Pepto's sixteen colours, but #FF0080, far from every palette's entries, for purple: the
    // picture never reaches the koalization.
    const Told foreign = ConvertTold(
        {}, MakePng({.width = 32, .height = 8}, [](int x, int) { return x / 2 == 4 ? 0xFF0080u : PeptoHex(x / 2); }), true);
    EXPECT_FALSE(foreign.conversion.outcome);
    EXPECT_FALSE(foreign.conversion.clashMap.has_value());
    const Told unasked = ConvertTold({}, MakePng({}, [](int x, int y) { return PeptoHex(Clashing(x, y)); }));
    EXPECT_FALSE(unasked.conversion.outcome);
    EXPECT_FALSE(unasked.conversion.clashMap.has_value());
}

}  // namespace
}  // namespace pxm::test

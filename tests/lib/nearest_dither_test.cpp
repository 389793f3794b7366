// The dithers of the nearest picture, through the library, over a grey ramp placed as it stands
// (320 x 200, constant down each column): none keeps each column one colour, the ordered dithers
// repeat every 4 or 8 rows, and every dither brings the picture's brightness nearer the ramp's
// than none does; a strength of 0 makes no pattern.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/lib/lib_test_support.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

std::uint32_t Ramp(int x, int) { return static_cast<std::uint32_t>(x * 255 / 319) * 0x010101u; }

double Linear(std::uint8_t v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Brightness(Rgb c) { return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b); }

// How far the preview's brightness lies from the ramp's, summed over bands 16 pixels wide.
double BrightnessError(const Outcome& result) {
    double error = 0;
    for (int band = 0; band < 320; band += 16) {
        double shown = 0;
        double wanted = 0;
        for (int y = 0; y < 200; ++y) {
            for (int x = band; x < band + 16; ++x) {
                shown += Brightness(result.At(x, y));
                const auto v = static_cast<std::uint8_t>(Ramp(x, y));
                wanted += Brightness({v, v, v});
            }
        }
        error += std::abs(shown - wanted) / (16 * 200);
    }
    return error;
}

// The rows d apart that are all equal.
bool RowsRepeatEvery(const Outcome& result, int d) {
    for (int y = 0; y + d < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            if (result.At(x, y) != result.At(x, y + d)) return false;
        }
    }
    return true;
}

Outcome Dithered(const std::string& dither, const std::string& strength = "1") {
    const Outcome result = Converted({{"nearest", "1"}, {"dither", dither}, {"dither-strength", strength}},
                                     MakePng({}, Ramp));
    EXPECT_EQ(result.status, 0) << result.message;
    EXPECT_EQ(result.width, 320);
    return result;
}

TEST(NearestDither, EachDithersAsItsKindDoes) {
    const Outcome none = Dithered("none");
    ASSERT_EQ(none.width, 320);
    EXPECT_TRUE(RowsRepeatEvery(none, 1));
    const double noneError = BrightnessError(none);

    const Outcome bayer4 = Dithered("bayer4");
    const Outcome bayer8 = Dithered("bayer8");
    ASSERT_EQ(bayer4.width, 320);
    ASSERT_EQ(bayer8.width, 320);
    EXPECT_TRUE(RowsRepeatEvery(bayer4, 4));
    EXPECT_FALSE(RowsRepeatEvery(bayer4, 1));
    EXPECT_TRUE(RowsRepeatEvery(bayer8, 8));
    EXPECT_FALSE(RowsRepeatEvery(bayer8, 4));
    for (const auto& [name, result] : {std::pair{"bayer4", &bayer4}, {"bayer8", &bayer8}}) {
        EXPECT_LT(BrightnessError(*result), noneError) << name;
    }
    for (const char* diffusion : {"floyd-steinberg", "atkinson"}) {
        const Outcome result = Dithered(diffusion);
        ASSERT_EQ(result.width, 320);
        EXPECT_FALSE(RowsRepeatEvery(result, 1)) << diffusion;
        EXPECT_LT(BrightnessError(result), noneError) << diffusion;
    }
}

TEST(NearestDither, AStrengthOfZeroDithersNothing) {
    // The error diffusions pass nothing on: the picture without a dither.
    const Outcome none = Dithered("none");
    for (const char* diffusion : {"floyd-steinberg", "atkinson"}) EXPECT_EQ(Dithered(diffusion, "0").file, none.file) << diffusion;
    // The ordered ones keep no pattern: each column one colour.
    for (const char* ordered : {"bayer4", "bayer8"}) {
        const Outcome result = Dithered(ordered, "0");
        ASSERT_EQ(result.width, 320);
        EXPECT_TRUE(RowsRepeatEvery(result, 1)) << ordered;
    }
}

}  // namespace
}  // namespace pxm::test

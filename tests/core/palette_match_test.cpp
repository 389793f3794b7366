#include "core/import/palette_match.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "tests/support/case_names.h"

namespace pxm {
namespace {

constexpr PaletteChoice Auto{};
PaletteChoice Named(std::string_view name) { return {PaletteChoice::Kind::Named, *FindPalette(name)}; }

const C64Palette& Palette(std::string_view name) { return C64Palettes[*FindPalette(name)]; }

// A picture of RGB colours, row by row.
DecodedPicture Picture(int width, int height, const std::vector<Rgb>& pixels) {
    DecodedPicture picture{width, height, pixels, {}, {}};
    picture.rgb.resize(static_cast<std::size_t>(width * height));
    return picture;
}

PictureArea Whole(const DecodedPicture& picture) { return {0, 0, picture.width, picture.height}; }

// Sixteen pixels, colours 15 down to 0 of the palette.
DecodedPicture AllColoursOf(const C64Palette& palette) {
    std::vector<Rgb> pixels;
    for (int c = 15; c >= 0; --c) pixels.push_back(palette.colours[static_cast<std::size_t>(c)]);
    return Picture(16, 1, pixels);
}

// A palette by its position in C64Palettes.
struct PaletteCase {
    std::size_t palette;
};
std::string CaseName(const PaletteCase& c) {
    std::string name(C64Palettes[c.palette].name);
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}
void PrintTo(const PaletteCase& c, std::ostream* out) { *out << CaseName(c); }

class EveryPalette : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(EveryPalette, AllSixteenColoursNameTheirPalette) {
    const C64Palette& palette = C64Palettes[GetParam().palette];
    const DecodedPicture picture = AllColoursOf(palette);
    for (const PaletteChoice choice : {Auto, PaletteChoice{PaletteChoice::Kind::Named, GetParam().palette}}) {
        const PaletteMatch match = MatchPalette(picture, Whole(picture), choice);
        ASSERT_EQ(match.refusal, ColourRefusal::None);
        // Some published palettes repeat another's colours: the one listed first is named then.
        EXPECT_EQ(C64Palettes[match.palette].colours, palette.colours);
        EXPECT_LE(match.palette, GetParam().palette);
        ASSERT_EQ(match.numbers.size(), 16u);
        for (int x = 0; x < 16; ++x) EXPECT_EQ(match.numbers[static_cast<std::size_t>(x)], 15 - x) << "pixel " << x;
    }
}

TEST_P(EveryPalette, ColoursCloseToTheEntriesStillFit) {
    const C64Palette& palette = C64Palettes[GetParam().palette];
    DecodedPicture picture = AllColoursOf(palette);
    // 5 off in two channels: 7.1 away, within the 10 that count as the same colour.
    for (Rgb& c : picture.rgb) {
        c.r = static_cast<std::uint8_t>(c.r < 128 ? c.r + 5 : c.r - 5);
        c.b = static_cast<std::uint8_t>(c.b < 128 ? c.b + 5 : c.b - 5);
    }
    const PaletteMatch match = MatchPalette(picture, Whole(picture), {PaletteChoice::Kind::Named, GetParam().palette});
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_EQ(match.numbers.front(), 15);
    EXPECT_EQ(match.numbers.back(), 0);
}

std::vector<PaletteCase> EveryKnownPalette() {
    std::vector<PaletteCase> cases;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) cases.push_back({p});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(C64Palettes, EveryPalette, ::testing::ValuesIn(EveryKnownPalette()), test::CaseNames{});

TEST(PaletteMatch, AnExactFitBeatsAClose) {
    // Pepto's light grey #959595 lies 1.7 from the internal VICE palette's medium grey #949494.
    const C64Palette& pepto = Palette("pepto");
    const DecodedPicture picture = Picture(3, 1, {pepto.colours[0], pepto.colours[15], pepto.colours[1]});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_EQ(C64Palettes[match.palette].name, "pepto");
    EXPECT_EQ(match.numbers, (std::vector<std::uint8_t>{0, 15, 1}));
    const PaletteMatch vice = MatchPalette(picture, Whole(picture), Named("vice 3.7.1 internal"));
    ASSERT_EQ(vice.refusal, ColourRefusal::None);
    EXPECT_EQ(vice.numbers, (std::vector<std::uint8_t>{0, 12, 1}));
}

TEST(PaletteMatch, OnATieThePaletteListedFirst) {
    const DecodedPicture picture = Picture(2, 1, {{0, 0, 0}, {255, 255, 255}});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_EQ(match.palette, 0u);
}

TEST(PaletteMatch, AColourInNoPaletteIsToldWithItsFirstPixelAndNearestColour) {
    const C64Palette& pepto = Palette("pepto");
    // Row 0: black, blue; row 1: blue, a dark blue of no palette (twice), white.
    const Rgb odd{0x30, 0x20, 0x60};
    const DecodedPicture picture = Picture(4, 2,
                                           {pepto.colours[0], pepto.colours[6], pepto.colours[0], pepto.colours[0],
                                            pepto.colours[6], odd, odd, pepto.colours[1]});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    EXPECT_EQ(match.refusal, ColourRefusal::UnknownColour);
    EXPECT_EQ(match.colour.rgb, odd);
    EXPECT_EQ(match.colour.x, 1);
    EXPECT_EQ(match.colour.y, 1);
    EXPECT_EQ(match.nearest, 6);
    EXPECT_TRUE(match.numbers.empty());
}

TEST(PaletteMatch, TheLimitOfCloseIsTen) {
    for (const int off : {0, 6, 10, 11}) {
        SCOPED_TRACE("off by " + std::to_string(off));
        const DecodedPicture picture = Picture(1, 1, {{0xFF, 0xFF, static_cast<std::uint8_t>(0x77 - off)}});
        const PaletteMatch match = MatchPalette(picture, Whole(picture), Named("vice"));
        EXPECT_EQ(match.refusal, off <= 10 ? ColourRefusal::None : ColourRefusal::NotInPalette);
        if (off > 10) {
            EXPECT_EQ(match.nearest, 7);
        }
    }
}

TEST(PaletteMatch, ANamedPaletteRefusesAColourItLacks) {
    const C64Palette& pepto = Palette("pepto");
    const C64Palette& colodore = Palette("colodore");
    const DecodedPicture picture = Picture(3, 1, {pepto.colours[0], colodore.colours[2], pepto.colours[2]});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Named("pepto"));
    EXPECT_EQ(match.refusal, ColourRefusal::NotInPalette);
    EXPECT_FALSE(match.noPaletteHoldsAll);
    EXPECT_EQ(match.palette, DefaultPalette);
    EXPECT_EQ(match.colour.rgb, colodore.colours[2]);
    EXPECT_EQ(match.colour.x, 1);
    EXPECT_EQ(match.nearest, 10);  // colodore's red #DB3A45 lies nearest to pepto's pink #9A6759
}

TEST(PaletteMatch, TwoColoursOnOneEntryAreRefused) {
    const DecodedPicture picture = Picture(4, 1, {{0, 0, 0}, {0xFF, 0xFF, 0xFF}, {4, 4, 4}, {0, 0, 0}});
    const PaletteMatch match = MatchPalette(picture, {1, 0, 3, 1}, Named("pepto"));
    EXPECT_EQ(match.refusal, ColourRefusal::SharedEntry);
    EXPECT_EQ(match.nearest, 0);
    // Within the area: white, a near black that takes entry 0, then black.
    EXPECT_EQ(match.other.rgb, (Rgb{4, 4, 4}));
    EXPECT_EQ(match.other.x, 2);
    EXPECT_EQ(match.colour.rgb, Rgb{});
    EXPECT_EQ(match.colour.x, 3);
}

TEST(PaletteMatch, WhenNoPaletteHoldsAllThePaletteThatGotFurthestSpeaks) {
    // Pepto's cyan and light blue, then colodore's red: every colour is in some palette, no
    // palette holds all three, and pepto got as far as the third.
    const C64Palette& pepto = Palette("pepto");
    const Rgb red = Palette("colodore").colours[2];
    const DecodedPicture picture = Picture(3, 1, {pepto.colours[3], pepto.colours[14], red});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    EXPECT_EQ(match.refusal, ColourRefusal::NotInPalette);
    EXPECT_TRUE(match.noPaletteHoldsAll);
    EXPECT_EQ(match.palette, DefaultPalette);
    EXPECT_EQ(match.colour.rgb, red);
    EXPECT_EQ(match.colour.x, 2);
}

TEST(PaletteMatch, OnlyTheAreaCounts) {
    // A screenshot's border may hold anything.
    const DecodedPicture picture =
        Picture(3, 2, {{1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {1, 2, 3}, {0, 0, 0}, {0xFF, 0xFF, 0xFF}});
    const PaletteMatch match = MatchPalette(picture, {1, 1, 2, 1}, Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_EQ(match.numbers, (std::vector<std::uint8_t>{0, 1}));
}

}  // namespace
}  // namespace pxm

#include "core/import/palette_match.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <string>

#include "core/import/cielab.h"
#include "core/import/palette_distance.h"
#include "tests/support/case_names.h"
#include "tests/support/palette_perturbation.h"

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
    // 5 off in two channels: 7.1 away in RGB.
    for (Rgb& c : picture.rgb) {
        c.r = static_cast<std::uint8_t>(c.r < 128 ? c.r + 5 : c.r - 5);
        c.b = static_cast<std::uint8_t>(c.b < 128 ? c.b + 5 : c.b - 5);
    }
    const PaletteMatch match = MatchPalette(picture, Whole(picture), {PaletteChoice::Kind::Named, GetParam().palette});
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(match.numbers[static_cast<std::size_t>(x)], 15 - x) << "pixel " << x;
    EXPECT_EQ(match.differsBy, 7);
}

// A palette in no list, as real tables differ from the listed ones: every colour must keep its
// number, whichever listed palette comes nearest.
struct Perturbation {
    const char* name;
    std::function<test::Colours(test::Colours)> apply;
};

const std::vector<Perturbation>& Perturbations() {
    static const std::vector<Perturbation> all{
        {"every hue turned 10 degrees", [](test::Colours c) { return test::AllHuesTurned(c, 10); }},
        {"every hue turned -10 degrees", [](test::Colours c) { return test::AllHuesTurned(c, -10); }},
        {"red turned 15 degrees", [](test::Colours c) { return test::HueTurnedOf(c, 2, 15); }},
        {"blue turned -15 degrees", [](test::Colours c) { return test::HueTurnedOf(c, 6, -15); }},
        {"blue and brown 25 brighter", [](test::Colours c) { return test::StepMoved(c, 6, 9, 25); }},
        {"red and dark grey 30 brighter", [](test::Colours c) { return test::StepMoved(c, 2, 11, 30); }},
        {"purple and orange 30 darker", [](test::Colours c) { return test::StepMoved(c, 4, 8, -30); }},
        {"medium grey and light blue 25 brighter", [](test::Colours c) { return test::StepMoved(c, 12, 14, 25); }},
        {"green and light red 40 darker", [](test::Colours c) { return test::StepMoved(c, 5, 10, -40); }},
        {"cyan and light grey 20 darker", [](test::Colours c) { return test::StepMoved(c, 3, 15, -20); }},
        {"yellow and light green 35 darker", [](test::Colours c) { return test::StepMoved(c, 7, 13, -35); }},
        {"every colour shifted a little", [](test::Colours c) { return test::AllShifted(c, 8, -6, 5); }},
        {"all three at once",
         [](test::Colours c) { return test::AllShifted(test::StepMoved(test::AllHuesTurned(c, 8), 2, 11, 25), -5, 4, 6); }},
    };
    return all;
}

TEST_P(EveryPalette, PerturbedPalettesKeepTheirColourNumbers) {
    for (const Perturbation& perturbation : Perturbations()) {
        SCOPED_TRACE(perturbation.name);
        const test::Colours colours = perturbation.apply(C64Palettes[GetParam().palette].colours);
        std::vector<Rgb> pixels(colours.rbegin(), colours.rend());
        const DecodedPicture picture = Picture(16, 1, pixels);
        const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
        ASSERT_EQ(match.refusal, ColourRefusal::None) << "nearest " << match.nearest;
        for (int x = 0; x < 16; ++x) EXPECT_EQ(match.numbers[static_cast<std::size_t>(x)], 15 - x) << "pixel " << x;
    }
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

double Distance(Rgb x, Rgb y) { return std::sqrt(PaletteDistanceSquared(LabOf(x), LabOf(y))); }

// Pepto's colours but `left`, and `extra` last.
std::vector<Rgb> PeptoWithout(int left, Rgb extra) {
    std::vector<Rgb> pixels;
    for (int c = 0; c < 16; ++c) {
        if (c != left) pixels.push_back(Palette("pepto").colours[static_cast<std::size_t>(c)]);
    }
    pixels.push_back(extra);
    return pixels;
}

TEST(PaletteMatch, AColourThatIsNoC64ColourIsToldWithItsFirstPixelAndNearestColour) {
    // Pure magenta where pepto's purple would be: the other colours are pepto exactly; in rgb
    // and frodo magenta is purple, but they are far from the rest of the picture. Lightness
    // first, its nearest pepto colour is light blue.
    const Rgb magenta{0xFF, 0x00, 0xFF};
    const DecodedPicture picture = Picture(8, 2, PeptoWithout(4, magenta));
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    EXPECT_EQ(match.refusal, ColourRefusal::UnknownColour);
    EXPECT_EQ(C64Palettes[match.palette].name, "pepto");
    EXPECT_EQ(match.colour.rgb, magenta);
    EXPECT_EQ(match.colour.x, 7);
    EXPECT_EQ(match.colour.y, 1);
    EXPECT_EQ(match.nearest, 14);
    EXPECT_NEAR(match.distance, Distance(magenta, Palette("pepto").colours[14]), 1e-9);
    EXPECT_GT(match.distance, ForeignColourDistance);
    EXPECT_TRUE(match.numbers.empty());

    const PaletteMatch named = MatchPalette(picture, Whole(picture), Named("pepto"));
    EXPECT_EQ(named.refusal, ColourRefusal::NotInPalette);
    EXPECT_EQ(named.colour.rgb, magenta);
    EXPECT_EQ(named.nearest, 14);
}

TEST(PaletteMatch, TheLimitIsTwentyFive) {
    // Black with more and more green, alone in a picture of vice (black stays its nearest entry):
    // taken as black while within 25 of it, refused beyond.
    const auto green = [](int g) { return Rgb{0, static_cast<std::uint8_t>(g), 0}; };
    int beyond = 0;
    while (Distance(green(beyond), {}) <= ForeignColourDistance) ++beyond;
    EXPECT_EQ(beyond, 33);
    for (const int g : {0, beyond - 1, beyond}) {
        SCOPED_TRACE("green " + std::to_string(g));
        const DecodedPicture picture = Picture(1, 1, {green(g)});
        const PaletteMatch match = MatchPalette(picture, Whole(picture), Named("vice"));
        if (g < beyond) {
            ASSERT_EQ(match.refusal, ColourRefusal::None);
            EXPECT_EQ(match.numbers, (std::vector<std::uint8_t>{0}));
            EXPECT_EQ(match.differsBy, g);
        } else {
            EXPECT_EQ(match.refusal, ColourRefusal::NotInPalette);
            EXPECT_EQ(match.nearest, 0);
        }
    }
}

TEST(PaletteMatch, ANamedPaletteRefusesAColourItLacks) {
    // The rgb palette's red beside pepto's black and red: far from pepto's pink and red.
    const C64Palette& pepto = Palette("pepto");
    const C64Palette& rgb = Palette("rgb");
    const DecodedPicture picture = Picture(3, 1, {pepto.colours[0], rgb.colours[2], pepto.colours[2]});
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Named("pepto"));
    EXPECT_EQ(match.refusal, ColourRefusal::NotInPalette);
    EXPECT_EQ(match.palette, DefaultPalette);
    EXPECT_EQ(match.colour.rgb, rgb.colours[2]);
    EXPECT_EQ(match.colour.x, 1);
    EXPECT_EQ(match.nearest, 10);
}

TEST(PaletteMatch, TheSameC64ColourOfTwoPalettesIsRefused) {
    // Pepto's colours but its pink, and the rgb palette's red: red twice, in two palettes. Pink
    // is free, but that red lies far from it. (Colodore's red, a red as light as pepto's pink and
    // twice as saturated, is taken as pink: palettes differ that much in saturation.)
    const Rgb red = Palette("rgb").colours[2];
    const DecodedPicture picture = Picture(16, 1, PeptoWithout(10, red));
    for (const PaletteChoice choice : {Auto, Named("pepto")}) {
        const PaletteMatch match = MatchPalette(picture, Whole(picture), choice);
        EXPECT_EQ(match.refusal,
                  choice.kind == PaletteChoice::Kind::Auto ? ColourRefusal::UnknownColour : ColourRefusal::NotInPalette);
        EXPECT_EQ(match.palette, DefaultPalette);
        EXPECT_EQ(match.colour.rgb, red);
        EXPECT_EQ(match.colour.x, 15);
    }
}

TEST(PaletteMatch, TwoColoursOfOneEntryAreRefused) {
    // Pepto but its yellow, and a near black: the near black would have to be yellow.
    const DecodedPicture picture = Picture(16, 1, PeptoWithout(7, {4, 4, 4}));
    for (const PaletteChoice choice : {Auto, Named("pepto")}) {
        const PaletteMatch match = MatchPalette(picture, Whole(picture), choice);
        EXPECT_EQ(match.refusal, ColourRefusal::SharedEntry);
        EXPECT_EQ(match.palette, DefaultPalette);
        EXPECT_EQ(match.nearest, 0);
        EXPECT_EQ(match.other.rgb, Rgb{});
        EXPECT_EQ(match.other.x, 0);
        EXPECT_EQ(match.colour.rgb, (Rgb{4, 4, 4}));
        EXPECT_EQ(match.colour.x, 15);
    }
}

// A white wallpaper's whites, each a step apart: several C64 colours lie within the limit of
// white (light grey, light green, cyan, even green in perplex 2), but near-identical colours are
// one colour, not six: refused, rather than the whites read as green.
TEST(PaletteMatch, NearIdenticalColoursAreNotSeveralC64Colours) {
    const std::vector<Rgb> whites{{255, 255, 255}, {254, 255, 255}, {255, 254, 255},
                                  {254, 254, 255}, {255, 255, 254}, {254, 255, 254}};
    const DecodedPicture picture = Picture(6, 1, whites);
    for (const PaletteChoice choice : {Auto, Named("perplex 2")}) {
        const PaletteMatch match = MatchPalette(picture, Whole(picture), choice);
        EXPECT_EQ(match.refusal, ColourRefusal::SharedEntry);
        EXPECT_EQ(match.nearest, 1);
    }
    // Two of them are still white and light grey in a palette whose light grey lies that close.
    const DecodedPicture two = Picture(2, 1, {{255, 255, 255}, {0xEB, 0xEB, 0xEB}});
    EXPECT_EQ(MatchPalette(two, Whole(two), Named("perplex 2")).refusal, ColourRefusal::None);
}

TEST(PaletteMatch, TheColourRefusedIsTheOneThatDoesNotBelongNotTheOnePushedAside) {
    // A dark red 13 from pepto's red, with pepto but its yellow: the least-cost assignment puts
    // the dark red on red and pushes pepto's own red far away onto yellow. Without the dark red
    // the rest is pepto exactly: the dark red is the colour named.
    const Rgb darkRed{0x4A, 0x19, 0x0D};
    const DecodedPicture picture = Picture(16, 1, PeptoWithout(7, darkRed));
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    EXPECT_EQ(match.refusal, ColourRefusal::SharedEntry);
    EXPECT_EQ(match.colour.rgb, darkRed);
    EXPECT_EQ(match.other.rgb, Palette("pepto").colours[2]);
    EXPECT_EQ(match.nearest, 2);
}

TEST(PaletteMatch, MoreThanSixteenColoursAreCounted) {
    std::vector<Rgb> pixels = PeptoWithout(-1, {1, 2, 3});
    pixels.push_back({1, 2, 3});
    const DecodedPicture picture = Picture(18, 1, pixels);
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    EXPECT_EQ(match.refusal, ColourRefusal::StrayColours);
    EXPECT_EQ(match.colourCount, 17u);
    // Sixteen C64 colours and a near black of more pixels than black: only one of the two can be
    // colour 0, and the one fewer pixels have is stray.
    ASSERT_EQ(match.strays.size(), 1u);
    EXPECT_EQ(match.strays[0].colour.rgb, (Rgb{0, 0, 0}));
    EXPECT_EQ(match.strays[0].nearest, 0);
}

TEST(PaletteMatch, AFewColoursOfAPerturbedPaletteKeepTheirNumbers) {
    // Six colours of colodore, each a little off, in a picture of 2 rows.
    std::vector<Rgb> pixels;
    const std::vector<int> numbers{0, 1, 2, 6, 7, 14};
    for (const int n : numbers)
        pixels.push_back(test::Shifted(Palette("colodore").colours[static_cast<std::size_t>(n)], -9, 7, 6));
    for (const int n : numbers)
        pixels.push_back(test::Shifted(Palette("colodore").colours[static_cast<std::size_t>(n)], -9, 7, 6));
    const DecodedPicture picture = Picture(6, 2, pixels);
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_EQ(match.colourCount, 6u);
    EXPECT_GT(match.differsBy, 0);
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(match.numbers[i], numbers[i % 6]) << i;
}

// The real pictures that the plain CIELAB distance read wrong: a paler, greener green in vice is
// green, not light green; a teal in place of cyan is no C64 colour.
TEST(PaletteMatch, LightnessCountsAboveSaturation) {
    std::vector<Rgb> pixels(Palette("vice").colours.begin(), Palette("vice").colours.end());
    pixels[5] = {0x79, 0xD5, 0x70};
    const DecodedPicture green = Picture(16, 1, pixels);
    const PaletteMatch match = MatchPalette(green, Whole(green), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    for (std::uint8_t x = 0; x < 16; ++x) EXPECT_EQ(match.numbers[x], x);
    // Without light green in the picture, nothing but the distance keeps it green (plain CIELAB
    // put it on light green: 23 away against 28).
    std::vector<Rgb> noLightGreen = pixels;
    noLightGreen.erase(noLightGreen.begin() + 13);
    const DecodedPicture alone = Picture(15, 1, noLightGreen);
    const PaletteMatch aloneMatch = MatchPalette(alone, Whole(alone), Auto);
    ASSERT_EQ(aloneMatch.refusal, ColourRefusal::None);
    EXPECT_EQ(aloneMatch.numbers[5], 5);
    pixels[5] = Palette("vice").colours[5];
    pixels[3] = {0x10, 0x90, 0x76};
    const DecodedPicture teal = Picture(16, 1, pixels);
    const PaletteMatch refused = MatchPalette(teal, Whole(teal), Auto);
    EXPECT_EQ(refused.refusal, ColourRefusal::UnknownColour);
    EXPECT_EQ(refused.colour.rgb, (Rgb{0x10, 0x90, 0x76}));
    EXPECT_GT(refused.distance, ForeignColourDistance);
}

// Seventeen to twenty colours of which sixteen fit: each stray colour is named with its first
// pixel and its distance; more are only counted.
TEST(PaletteMatch, StrayColoursAreNamed) {
    std::vector<Rgb> pixels;
    for (int k = 0; k < 3; ++k) pixels.insert(pixels.end(), Palette("pepto").colours.begin(), Palette("pepto").colours.end());
    pixels[20] = {0xFF, 0x00, 0x00};
    pixels[40] = {0x00, 0xFF, 0x00};
    const DecodedPicture picture = Picture(16, 3, pixels);
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::StrayColours);
    EXPECT_EQ(match.colourCount, 18u);
    EXPECT_EQ(C64Palettes[match.palette].name, "pepto");
    ASSERT_EQ(match.strays.size(), 2u);
    EXPECT_EQ(match.strays[0].colour.rgb, (Rgb{0xFF, 0x00, 0x00}));
    EXPECT_EQ(match.strays[0].colour.x, 4);
    EXPECT_EQ(match.strays[0].colour.y, 1);
    EXPECT_NEAR(match.strays[0].distance,
                Distance({0xFF, 0, 0}, Palette("pepto").colours[static_cast<std::size_t>(match.strays[0].nearest)]), 1e-9);
    EXPECT_EQ(match.strays[1].colour.x, 8);
    EXPECT_EQ(match.strays[1].colour.y, 2);
    std::vector<Rgb> many = pixels;
    for (std::uint8_t k = 0; k < 5; ++k) many[k] = {k, 100, 200};
    const DecodedPicture tooMany = Picture(16, 3, many);
    const PaletteMatch counted = MatchPalette(tooMany, Whole(tooMany), Auto);
    EXPECT_EQ(counted.refusal, ColourRefusal::TooManyColours);
    EXPECT_TRUE(counted.strays.empty());
}

TEST(PaletteMatch, StrayColoursAreNamedWhenThePictureHasFewerThanSixteenOfItsOwn) {
    // Fifteen C64 colours and two strays: the sixteen most used include a stray, which must not
    // hide the other from being named.
    std::vector<Rgb> pixels;
    const auto& pepto = Palette("pepto").colours;
    for (int k = 0; k < 3; ++k) pixels.insert(pixels.end(), pepto.begin(), pepto.begin() + 15);
    pixels.push_back({0xFF, 0x00, 0x00});
    pixels.push_back({0x00, 0xFF, 0x00});
    pixels.push_back(pepto[0]);
    const DecodedPicture picture = Picture(16, 3, pixels);
    const PaletteMatch match = MatchPalette(picture, Whole(picture), Auto);
    ASSERT_EQ(match.refusal, ColourRefusal::StrayColours);
    EXPECT_EQ(match.colourCount, 17u);
    ASSERT_EQ(match.strays.size(), 2u);
    EXPECT_EQ(match.strays[0].colour.rgb, (Rgb{0xFF, 0x00, 0x00}));
    EXPECT_EQ(match.strays[1].colour.rgb, (Rgb{0x00, 0xFF, 0x00}));
    EXPECT_EQ(match.strays[1].colour.x, 14);
    EXPECT_EQ(match.strays[1].colour.y, 2);
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

#include "core/import/picture_import.h"

#include <gtest/gtest.h>

#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

const C64Palette& Pepto() { return C64Palettes[DefaultPalette]; }

// Every pixel from a colour number; the border (outside the area) in light blue.
DecodedPicture PictureOfNumbers(int width, int height, const PictureArea& area, bool indexed,
                                const std::function<int(int, int)>& number) {
    DecodedPicture picture{width, height, {}, {}, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside =
                x >= area.left && x < area.left + area.width && y >= area.top && y < area.top + area.height;
            const int n = inside ? number(x - area.left, y - area.top) : 14;
            picture.rgb.push_back(Pepto().colours[static_cast<std::size_t>(n)]);
            if (indexed) picture.indexes.push_back(static_cast<std::uint8_t>(n));
        }
    }
    return picture;
}

int Stripes(int x, int y) { return (x / 2 + y / 8) % 4; }

TEST(ImportPicture, AScreenshotsPictureIsTheCanvasAndItsBorderIsLeftOut) {
    const PictureArea inner{32, 35, 320, 200};
    for (const bool indexed : {false, true}) {
        SCOPED_TRACE(indexed ? "indexes" : "RGB");
        const DecodedPicture picture = PictureOfNumbers(384, 272, inner, indexed, Stripes);
        const PaletteChoice choice{indexed ? PaletteChoice::Kind::Index : PaletteChoice::Kind::Auto, 0};
        auto canvas = test::FilledCanvas(0xEE);
        const PictureImport imported = ImportPicture(picture, PictureKind::Png, choice, *canvas);
        ASSERT_EQ(imported.refusal, ImportRefusal::None);
        EXPECT_EQ(imported.palette.has_value(), !indexed);
        EXPECT_EQ(imported.source.kind, PictureKind::Png);
        EXPECT_EQ(imported.source.left, 32);
        EXPECT_EQ(imported.source.top, 35);
        for (int column = 0; column < CanvasColumns; ++column) {
            for (int row = 0; row < CanvasRows; ++row)
                ASSERT_EQ((*canvas)[CanvasIndex(column, row)], Stripes(2 * column, row)) << column << "," << row;
        }
    }
}

TEST(ImportPicture, RefusalsLeaveTheCanvas) {
    struct Case {
        const char* name;
        DecodedPicture picture;
        PaletteChoice choice;
        ImportRefusal refusal;
    };
    const PictureArea small{0, 0, 16, 8};
    DecodedPicture oddPair = PictureOfNumbers(16, 8, small, true, Stripes);
    oddPair.rgb[oddPair.At(5, 3)] = Pepto().colours[9];
    oddPair.indexes[oddPair.At(5, 3)] = 9;
    DecodedPicture unknown = PictureOfNumbers(16, 8, small, false, Stripes);
    unknown.rgb[unknown.At(2, 2)] = {0xFF, 0x00, 0xFF};  // magenta: not in pepto
    // Transparency is no colour, whatever RGB lies under it and whichever way colours are read.
    DecodedPicture seeThrough = PictureOfNumbers(16, 8, small, true, Stripes);
    seeThrough.alpha.assign(seeThrough.rgb.size(), 255);
    seeThrough.alpha[seeThrough.At(7, 6)] = 128;
    seeThrough.alpha[seeThrough.At(3, 7)] = 0;
    const std::vector<Case> cases{
        {"size", PictureOfNumbers(330, 200, {0, 0, 330, 200}, false, Stripes), {}, ImportRefusal::Size},
        {"no colour table",
         PictureOfNumbers(16, 8, small, false, Stripes),
         {PaletteChoice::Kind::Index, 0},
         ImportRefusal::NoColourTable},
        {"colour not in the palette", unknown, {PaletteChoice::Kind::Named, DefaultPalette}, ImportRefusal::Colour},
        {"pair by RGB", oddPair, {}, ImportRefusal::DifferingPair},
        {"pair by index", oddPair, {PaletteChoice::Kind::Index, 0}, ImportRefusal::DifferingPair},
        {"transparent by RGB", seeThrough, {}, ImportRefusal::Transparent},
        {"transparent by index", seeThrough, {PaletteChoice::Kind::Index, 0}, ImportRefusal::Transparent},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto canvas = test::FilledCanvas(0xEE);
        const PictureImport imported = ImportPicture(c.picture, PictureKind::Gif, c.choice, *canvas);
        EXPECT_EQ(imported.refusal, c.refusal);
        EXPECT_FALSE(imported.palette.has_value());
        for (const std::uint8_t v : *canvas) ASSERT_EQ(v, 0xEE);
        if (c.refusal == ImportRefusal::DifferingPair) {
            EXPECT_EQ(imported.pair.x, 4);
            EXPECT_EQ(imported.pair.y, 3);
            EXPECT_EQ(imported.pair.right, 9);
        }
        if (c.refusal == ImportRefusal::Transparent) {
            EXPECT_EQ(imported.transparent.x, 7);
            EXPECT_EQ(imported.transparent.y, 6);
            EXPECT_EQ(imported.transparent.alpha, 128);
        }
    }
}

TEST(ImportPicture, IndexesAboveFifteenStayAsTheyAre) {
    DecodedPicture picture{2, 1, {{0, 0, 0}, {0, 0, 0}}, {200, 200}, {}};
    auto canvas = test::FilledCanvas(0xEE);
    ASSERT_EQ(ImportPicture(picture, PictureKind::Gif, {PaletteChoice::Kind::Index, 0}, *canvas).refusal, ImportRefusal::None);
    EXPECT_EQ((*canvas)[0], 200);
    EXPECT_EQ((*canvas)[1], 0);
}

}  // namespace
}  // namespace pxm

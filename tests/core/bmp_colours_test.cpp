#include "core/import/bmp_colours.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/bmp_builder.h"

namespace pxm {
namespace {

using test::MakeBmp;

const C64Palette& Pepto() { return C64Palettes[DefaultPalette]; }
std::uint32_t Hex(Rgb c) { return Packed(c); }

// Pepto's colours shuffled: index i holds colour (i + 5) % 16.
std::vector<std::uint32_t> Shuffled() {
    std::vector<std::uint32_t> palette;
    for (std::size_t i = 0; i < 16; ++i) palette.push_back(Hex(Pepto().colours[(i + 5) % 16]));
    return palette;
}

struct Read {
    std::vector<std::uint8_t> file;
    BmpInfo info;
    Canvas canvas{};
};

Read ReadOf(std::vector<std::uint8_t> file) {
    Read read{std::move(file), {}, {}};
    read.info = *ReadBmp(read.file, read.canvas, BmpHeaderCheck::SignatureAndDepth);
    return read;
}

TEST(BmpColours, TheUsedEntriesWithTheirFirstKeptPixelAndCount) {
    // 16 colours keep the right pixel of each pair: indexes 3 and 9 there, 15 only in left pixels.
    const Read read = ReadOf(MakeBmp({.width = 8, .height = 3, .palette = Shuffled()}, [](int x, int y) {
        return x % 2 == 0 ? 15 : y == 2 && x == 5 ? 9 : 3;
    }));
    const BmpColours used = UsedBmpColours(read.file, read.info, read.canvas);
    ASSERT_EQ(used.colours.size(), 2u);
    EXPECT_EQ(used.colours[0].rgb, Pepto().colours[8]);  // index 3
    EXPECT_EQ(used.colours[0].x, 1);
    EXPECT_EQ(used.colours[0].y, 0);
    EXPECT_EQ(used.colours[0].pixels, 11u);
    EXPECT_EQ(used.colours[1].rgb, Pepto().colours[14]);  // index 9
    EXPECT_EQ(used.colours[1].x, 5);
    EXPECT_EQ(used.colours[1].y, 2);
    EXPECT_EQ(used.colours[1].pixels, 1u);
    EXPECT_TRUE(used.used[3] && used.used[9] && !used.used[15]);
    EXPECT_EQ(UsedIndexes(read.info, read.canvas), used.used);

    // The palette as a whole: every entry but unused black ones (index 11 holds pepto's black).
    const BmpColours all = UsedBmpColours(read.file, read.info, read.canvas, BmpEntries::All);
    EXPECT_EQ(all.colours.size(), 15u);
    EXPECT_EQ(all.colours[all.colourOf[9]].pixels, 1u);
    EXPECT_EQ(all.used, used.used);
}

TEST(BmpColours, TwoEntriesOfOneColourAreOneColour) {
    std::vector<std::uint32_t> palette = Shuffled();
    palette[4] = palette[3];
    const Read read = ReadOf(MakeBmp({.width = 4, .height = 1, .palette = palette}, [](int x, int) { return x < 2 ? 3 : 4; }));
    const BmpColours used = UsedBmpColours(read.file, read.info, read.canvas);
    ASSERT_EQ(used.colours.size(), 1u);
    EXPECT_EQ(used.colours[0].pixels, 2u);
    EXPECT_EQ(used.colourOf[3], used.colourOf[4]);
}

TEST(BmpColours, OwnIndexesOrAnotherOrder) {
    const auto paint = [](int x, int y) { return (x / 2 + y) % 16; };
    const Read plain = ReadOf(MakeBmp({.width = 32, .height = 4}, paint));
    EXPECT_EQ(ExactAtOwnIndexes(plain.file, plain.info, UsedIndexes(plain.info, plain.canvas)), DefaultPalette);
    const Read shuffled = ReadOf(MakeBmp({.width = 32, .height = 4, .palette = Shuffled()}, paint));
    EXPECT_FALSE(ExactAtOwnIndexes(shuffled.file, shuffled.info, UsedIndexes(shuffled.info, shuffled.canvas)));
    const BmpColours used = UsedBmpColours(shuffled.file, shuffled.info, shuffled.canvas);
    const PaletteMatch match = MatchColours(used.colours, {});
    ASSERT_EQ(match.refusal, ColourRefusal::None);
    EXPECT_FALSE(AtOwnIndexes(used, match));
    Canvas numbers = shuffled.canvas;
    NumbersByColour(numbers, shuffled.info, used, match);
    for (int x = 0; x < CanvasColumns; ++x) {
        for (int y = 0; y < CanvasRows; ++y) {
            const int expected = x < 16 && y < 4 ? (paint(2 * x + 1, y) + 5) % 16 : 0;
            ASSERT_EQ(numbers[CanvasIndex(x, y)], expected) << x << "," << y;
        }
    }
}

// ImageMagick writes a 124-byte info header: the converter's reading finds the palette and the
// rows where the header says; the fields alone (the Windows program's reading) do not move them.
TEST(BmpColours, ALargerInfoHeaderMovesThePaletteAndTheRows) {
    const auto paint = [](int x, int y) { return (x + y) % 16; };
    const std::vector<std::uint8_t> v5 = MakeBmp({.width = 16, .height = 2, .infoHeaderSize = 124, .palette = Shuffled()}, paint);
    Canvas canvas{};
    const auto info = ReadBmp(v5, canvas, BmpHeaderCheck::SignatureAndDepth);
    ASSERT_TRUE(info.ok());
    EXPECT_EQ(info->paletteAt, 138u);
    EXPECT_EQ(info->pixelsAt, 138u + 64);
    for (int x = 0; x < 8; ++x) EXPECT_EQ(canvas[CanvasIndex(x, 1)], paint(2 * x + 1, 1)) << x;
    const BmpColours used = UsedBmpColours(v5, *info, canvas);
    for (const ColourAt& colour : used.colours) {
        EXPECT_NE(std::find(Pepto().colours.begin(), Pepto().colours.end(), colour.rgb), Pepto().colours.end());
    }
    Canvas legacy{};
    const auto fields = ReadBmp(v5, legacy, BmpHeaderCheck::FieldsOnly);
    ASSERT_TRUE(fields.ok());
    EXPECT_EQ(fields->paletteAt, BmpHeaderSize);
    EXPECT_EQ(fields->pixelsAt, BmpHeaderSize + 64);
}

}  // namespace
}  // namespace pxm

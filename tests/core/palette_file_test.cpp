// Palettes of one's own read from GIMP, VICE and hex-list files; files that hold no C64 palette
// refused with what they lack.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "core/import/palette_order.h"
#include "core/palette/c64_palettes.h"
#include "core/palette/palette_file.h"

namespace pxm::test {
namespace {

Result<std::array<Rgb, 16>, PaletteFileFailure> Read(std::string_view text) {
    return ReadPaletteFile({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

const std::array<Rgb, 16>& Pepto() { return C64Palettes[DefaultPalette].colours; }

// Pepto's colours as each kind of file writes them.
std::string GimpFile(std::size_t count) {
    std::string text = "GIMP Palette\r\nName: pepto\r\nColumns: 4\r\n#\r\n";
    for (std::size_t c = 0; c < count; ++c) {
        const Rgb rgb = Pepto()[c];
        text += std::to_string(rgb.r) + " " + std::to_string(rgb.g) + "\t" + std::to_string(rgb.b) + "\tColour " +
                std::to_string(c) + "\r\n";
    }
    return text;
}

std::string Hex(std::uint8_t v) {
    constexpr std::string_view Digits = "0123456789abcdef";
    return {Digits[v >> 4], Digits[v & 15]};
}

std::string ViceFile() {
    std::string text = "#\n# VICE Palette file\n#\n# Syntax:\n# Red Green Blue Dither\n#\n";
    for (const Rgb rgb : Pepto()) text += "\n# a colour\n" + Hex(rgb.r) + " " + Hex(rgb.g) + " " + Hex(rgb.b) + " 4\n";
    return text;
}

std::string HexList(bool hashes) {
    std::string text = "# the sixteen, in order\n; another comment\n\n";
    for (const Rgb rgb : Pepto()) text += std::string(hashes ? "#" : "  ") + Hex(rgb.r) + Hex(rgb.g) + Hex(rgb.b) + " ; c\n";
    return text;
}

TEST(PaletteFile, EachKindGivesItsSixteenColours) {
    for (const std::string& file : {GimpFile(16), ViceFile(), HexList(true), HexList(false)}) {
        SCOPED_TRACE(file.substr(0, 30));
        const auto palette = Read(file);
        ASSERT_TRUE(palette.ok()) << static_cast<int>(palette.error().kind) << " at line " << palette.error().line;
        EXPECT_EQ(*palette, Pepto());
    }
}

TEST(PaletteFile, FilesThatHoldNoC64PaletteSayWhatTheyLack) {
    using Kind = PaletteFileFailure::Kind;
    const auto fifteen = Read(GimpFile(15));
    ASSERT_FALSE(fifteen.ok());
    EXPECT_EQ(fifteen.error().kind, Kind::WrongCount);
    EXPECT_EQ(fifteen.error().fileKind, PaletteFileKind::Gimp);
    EXPECT_EQ(fifteen.error().colours, 15u);
    const auto seventeen = Read(HexList(true) + "#000000\n");
    ASSERT_FALSE(seventeen.ok());
    EXPECT_EQ(seventeen.error().colours, 17u);
    EXPECT_EQ(seventeen.error().fileKind, PaletteFileKind::HexList);

    for (const std::string_view empty : {"", "\n\n", "# nothing\n; here\n", "GIMP Palette\nName: none\n"}) {
        const auto none = Read(empty);
        ASSERT_FALSE(none.ok()) << empty;
        EXPECT_EQ(none.error().kind, Kind::NoColours) << empty;
    }

    struct Bad {
        std::string text;
        PaletteFileKind kind;
        std::size_t line;
        std::string quoted;
    };
    for (const Bad& bad : {Bad{GimpFile(3) + "256 0 0 Too red\n", PaletteFileKind::Gimp, 8, "256 0 0 Too red"},
                           Bad{GimpFile(2) + "12 34\n", PaletteFileKind::Gimp, 7, "12 34"},
                           Bad{"00 00 00 0\nGG 00 00 0\n", PaletteFileKind::Vice, 2, "GG 00 00 0"},
                           Bad{"00 00 00 0\n00 00 00 0 0\n", PaletteFileKind::Vice, 2, "00 00 00 0 0"},
                           Bad{"#000000\n#12345\n", PaletteFileKind::HexList, 2, "#12345"},
                           Bad{"#000000\n00 00 00\n", PaletteFileKind::HexList, 2, "00 00 00"},
                           Bad{std::string("#000000\n\x01\xFF") + std::string(60, 'x') + "\n", PaletteFileKind::HexList,
                               2, "??" + std::string(38, 'x') + "..."}}) {
        SCOPED_TRACE(bad.text);
        const auto read = Read(bad.text);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().kind, Kind::BadLine);
        EXPECT_EQ(read.error().fileKind, bad.kind);
        EXPECT_EQ(read.error().line, bad.line);
        EXPECT_EQ(read.error().text, bad.quoted);
    }
}

// A C64 palette in another order would give every picture wrong numbers: told. One's own design
// is taken in the order given.
TEST(PaletteOrder, AListedShapeMustComeInTheC64sOrder) {
    for (const C64Palette& palette : C64Palettes) EXPECT_FALSE(FirstEntryOutOfOrder(palette.colours)) << palette.name;
    std::array<Rgb, 16> swapped = Pepto();
    std::swap(swapped[2], swapped[3]);
    const auto misplaced = FirstEntryOutOfOrder(swapped);
    ASSERT_TRUE(misplaced.has_value());
    EXPECT_EQ(misplaced->entry, 2u);
    EXPECT_EQ(misplaced->readAs, 3);
    EXPECT_EQ(C64Palettes[misplaced->palette].name, "pepto");

    std::array<Rgb, 16> byBrightness = C64Palettes[0].colours;
    std::ranges::sort(byBrightness, {}, [](Rgb c) { return 299 * c.r + 587 * c.g + 114 * c.b; });
    EXPECT_TRUE(FirstEntryOutOfOrder(byBrightness));

    std::array<Rgb, 16> printer{};
    for (std::size_t e = 0; e < printer.size(); ++e)
        printer[e] = {static_cast<std::uint8_t>(e & 1 ? 255 : 0), static_cast<std::uint8_t>(e & 2 ? 255 : 60 * (e >> 2)),
                      static_cast<std::uint8_t>(e & 4 ? 255 : 0)};
    EXPECT_FALSE(FirstEntryOutOfOrder(printer)) << "no C64 palette's shape: a design of one's own";
    std::array<Rgb, 16> twice = Pepto();
    twice[15] = twice[12];
    EXPECT_FALSE(FirstEntryOutOfOrder(twice)) << "a colour given twice is read at its first entry";
}

}  // namespace
}  // namespace pxm::test

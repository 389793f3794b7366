// The PNG and GIF decoders on pictures written with libpng and giflib, and on broken files.
#include "lib/reading/picture_decoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <string>

#include "tests/cli/unreadable.h"
#include "tests/support/case_names.h"
#include "tests/support/gif_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::cli {
namespace {

using Status = DecodeOutcome::Status;
using test::PngShape;
using test::PngType;

constexpr std::array<std::uint32_t, 4> Colours{0x68372B, 0x70A4B2, 0xFFFFFF, 0x000000};

// Grey levels that every bit depth holds exactly, by depth.
std::uint32_t GreyAt(int depth, int x, int y) {
    const int levels = depth >= 8 ? 256 : 1 << depth;
    const int level = (x + 3 * y) % levels;
    const auto grey = static_cast<std::uint32_t>(level * 255 / (levels - 1));
    return grey << 16 | grey << 8 | grey;
}

struct PngCase {
    PngType type;
    int bitDepth;
    bool interlaced;
};

std::string CaseName(const PngCase& c) {
    static constexpr const char* Types[] = {"Rgb", "RgbAlpha", "Grey", "GreyAlpha", "Indexed"};
    return std::string(Types[static_cast<int>(c.type)]) + std::to_string(c.bitDepth) + (c.interlaced ? "Interlaced" : "");
}
void PrintTo(const PngCase& c, std::ostream* out) { *out << CaseName(c); }

class PngDecoding : public ::testing::TestWithParam<PngCase> {};

TEST_P(PngDecoding, GivesEveryPixelsColourAndTheIndexesOfATable) {
    const PngCase c = GetParam();
    const bool grey = c.type == PngType::Grey || c.type == PngType::GreyAlpha;
    const bool indexed = c.type == PngType::Indexed;
    PngShape shape{.width = 37, .height = 19, .type = c.type, .bitDepth = c.bitDepth, .interlaced = c.interlaced};
    const int tableSize = indexed ? std::min(1 << c.bitDepth, 16) : 0;
    for (int i = 0; i < tableSize; ++i)
        shape.table.push_back({static_cast<std::uint8_t>(i * 16), 0x40, static_cast<std::uint8_t>(255 - i)});
    const auto value = [&](int x, int y) -> std::uint32_t {
        if (indexed) return static_cast<std::uint32_t>((x + 2 * y) % tableSize);
        return grey ? GreyAt(c.bitDepth, x, y) : Colours[static_cast<std::size_t>((x / 3 + y) % 4)];
    };
    const DecodeOutcome decoded = DecodePng(test::MakePng(shape, value));
    ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
    const DecodedPicture& picture = decoded.picture;
    ASSERT_EQ(picture.width, 37);
    ASSERT_EQ(picture.height, 19);
    EXPECT_EQ(picture.Indexed(), indexed);
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 37; ++x) {
            const std::uint32_t v = value(x, y);
            const Rgb expected = indexed ? shape.table[v]
                                         : Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                               static_cast<std::uint8_t>(v)};
            ASSERT_EQ(picture.rgb[picture.At(x, y)], expected) << x << "," << y;
            if (indexed) {
                ASSERT_EQ(picture.indexes[picture.At(x, y)], v) << x << "," << y;
            }
        }
    }
}

std::vector<PngCase> EveryPngKind() {
    std::vector<PngCase> cases;
    for (const bool interlaced : {false, true}) {
        for (const int depth : {8, 16}) {
            cases.push_back({PngType::Rgb, depth, interlaced});
            cases.push_back({PngType::RgbAlpha, depth, interlaced});
            cases.push_back({PngType::GreyAlpha, depth, interlaced});
        }
        for (const int depth : {1, 2, 4, 8, 16}) cases.push_back({PngType::Grey, depth, interlaced});
        for (const int depth : {1, 2, 4, 8}) cases.push_back({PngType::Indexed, depth, interlaced});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PngDecoding, ::testing::ValuesIn(EveryPngKind()), test::CaseNames{});

std::vector<std::uint8_t> SmallPng(int width = 16, int height = 8) {
    return test::MakePng({.width = width, .height = height},
                         [](int x, int) { return Colours[static_cast<std::size_t>(x % 4)]; });
}

// The same PNG claiming another size in its header (checksum made good).
std::vector<std::uint8_t> WithDeclaredSize(std::vector<std::uint8_t> png, std::uint32_t width, std::uint32_t height) {
    constexpr std::size_t Ihdr = 8;  // length, "IHDR", 13 bytes of data, checksum
    for (int i = 0; i < 4; ++i) {
        png[Ihdr + 8 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[Ihdr + 12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + Ihdr + 4, 17));
    for (int i = 0; i < 4; ++i)
        png[Ihdr + 21 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return png;
}

TEST(PngDecoder, ASizeNotTakenIsRefusedFromTheHeader) {
    struct Case {
        std::uint32_t width, height;
    };
    for (const Case c :
         {Case{100000, 100000}, Case{0x7FFFFFFF, 1}, Case{1, 5000}, Case{385, 272}, Case{400, 300}, Case{321, 1}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        // The header alone: the pixels that would follow are never asked for.
        const DecodeOutcome decoded = DecodePng(WithDeclaredSize(SmallPng(), c.width, c.height));
        EXPECT_EQ(decoded.status, Status::SizeRefused) << decoded.reason;
        EXPECT_EQ(decoded.picture.width, static_cast<int>(c.width));
        EXPECT_EQ(decoded.picture.height, static_cast<int>(c.height));
        EXPECT_TRUE(decoded.picture.rgb.empty());
    }
    EXPECT_EQ(DecodePng(SmallPng(384, 272)).status, Status::Decoded);
    EXPECT_EQ(DecodePng(SmallPng(400, 200)).status, Status::SizeRefused);
}

TEST(PngDecoder, ToBeScaledAnySizeUpTo65535ASideIsTaken) {
    EXPECT_EQ(DecodePng(SmallPng(400, 200), SizesTaken::Scalable).status, Status::Decoded);
    const DecodeOutcome tall = DecodePng(SmallPng(1, 3000), SizesTaken::Scalable);
    ASSERT_EQ(tall.status, Status::Decoded) << tall.reason;
    EXPECT_EQ(tall.picture.rgb.size(), 3000u);
    struct Case {
        std::uint32_t width, height;
    };
    // A side past 65535 is refused by libpng's limits.
    for (const Case c : {Case{65536, 1}, Case{70000, 70000}, Case{1, 0x7FFFFFFF}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        for (const SizesTaken sizes : {SizesTaken::Scalable, SizesTaken::ScaledDown}) {
            const DecodeOutcome decoded = DecodePng(WithDeclaredSize(SmallPng(), c.width, c.height), sizes);
            EXPECT_EQ(decoded.status, Status::SizeRefused) << decoded.reason;
            EXPECT_EQ(decoded.picture.width, static_cast<int>(c.width));
            EXPECT_TRUE(decoded.picture.rgb.empty());
        }
    }
    EXPECT_TRUE(Takes(SizesTaken::Scalable, 65535, 65535));
    EXPECT_FALSE(Takes(SizesTaken::Scalable, 0, 10));
}

// A picture of more than 4 megapixels is never held whole: 2100 x 2000 comes down by 3 x 5 to
// 700 x 400, each block the mean of its pixels; flat blocks keep their colours exactly.
constexpr int LargeWidth = 2100;
constexpr int LargeHeight = 2000;
constexpr BoxFactors LargeFactors{3, 5};

Rgb RgbOf(std::uint32_t c) {
    return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)};
}

std::uint32_t BlockColour(int x, int y) {
    const int block = x / LargeFactors.x + y / LargeFactors.y;
    return Colours[static_cast<std::size_t>(block % 4)];
}

void ExpectBlocks(const DecodeOutcome& decoded) {
    ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
    EXPECT_EQ(decoded.reduction, LargeFactors);
    EXPECT_FALSE(decoded.cut);
    const DecodedPicture& picture = decoded.picture;
    ASSERT_EQ(picture.width, 700);
    ASSERT_EQ(picture.height, 400);
    EXPECT_FALSE(picture.Indexed());
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t expected = BlockColour(x * LargeFactors.x, y * LargeFactors.y);
            ASSERT_EQ(Packed(picture.rgb[picture.At(x, y)]), expected) << x << "," << y;
            ASSERT_TRUE(picture.Opaque(picture.At(x, y)));
        }
    }
}

TEST(LargePictures, PngsToBeScaledAreBroughtDownAsTheirRowsAreDecoded) {
    const std::vector<Rgb> table{RgbOf(Colours[0]), RgbOf(Colours[1]), RgbOf(Colours[2]), RgbOf(Colours[3])};
    const auto index = [](int x, int y) {
        return static_cast<std::uint32_t>(std::ranges::find(Colours, BlockColour(x, y)) - Colours.begin());
    };
    // Interlaced: the seven passes go into the blocks as they come.
    ExpectBlocks(DecodePng(test::MakePng({.width = LargeWidth, .height = LargeHeight, .type = PngType::Indexed,
                                          .bitDepth = 2, .interlaced = true, .table = table},
                                         index),
                           SizesTaken::ScaledDown));
    const auto rgb = test::MakePng({.width = LargeWidth, .height = LargeHeight}, BlockColour);
    ExpectBlocks(DecodePng(rgb, SizesTaken::ScaledDown));
    // Placed unscaled, only the top left that can be shown is kept, as it is.
    const DecodeOutcome cut = DecodePng(rgb, SizesTaken::Scalable);
    ASSERT_EQ(cut.status, Status::Decoded) << cut.reason;
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.reduction, BoxFactors{});
    ASSERT_EQ(cut.picture.width, MaxPictureWidth);
    ASSERT_EQ(cut.picture.height, MaxPictureHeight);
    for (int y = 0; y < MaxPictureHeight; ++y) {
        for (int x = 0; x < MaxPictureWidth; ++x) ASSERT_EQ(Packed(cut.picture.rgb[cut.picture.At(x, y)]), BlockColour(x, y));
    }
    // 4 megapixels and less are decoded whole.
    const DecodeOutcome whole = DecodePng(test::MakePng({.width = 2000, .height = 2000}, BlockColour), SizesTaken::ScaledDown);
    ASSERT_EQ(whole.status, Status::Decoded) << whole.reason;
    EXPECT_EQ(whole.reduction, BoxFactors{});
    EXPECT_EQ(whole.picture.width, 2000);
}

TEST(LargePictures, AGifsFrameAndTheScreenAroundItAreBroughtDownTogether) {
    const std::vector<Rgb> table{RgbOf(Colours[0]), RgbOf(Colours[1]), RgbOf(Colours[2]), RgbOf(Colours[3])};
    const auto index = [](int, int x, int y) {
        return static_cast<int>(std::ranges::find(Colours, BlockColour(x, y)) - Colours.begin());
    };
    // The frame covers all but the first block column and the last block row, which show the
    // background colour (index 3).
    const auto gif = test::MakeGif({.width = LargeWidth,
                                    .height = LargeHeight,
                                    .table = table,
                                    .background = 3,
                                    .frames = {{.left = 3, .top = 0, .width = LargeWidth - 3, .height = LargeHeight - 5,
                                                .interlaced = true}}},
                                   [&](int frame, int x, int y) { return index(frame, x + 3, y); });
    const DecodeOutcome decoded = DecodeGif(gif, SizesTaken::ScaledDown);
    ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
    EXPECT_EQ(decoded.reduction, LargeFactors);
    const DecodedPicture& picture = decoded.picture;
    ASSERT_EQ(picture.width, 700);
    ASSERT_EQ(picture.height, 400);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool around = x == 0 || y == picture.height - 1;
            const std::uint32_t expected = around ? Colours[3] : BlockColour(x * LargeFactors.x, y * LargeFactors.y);
            ASSERT_EQ(Packed(picture.rgb[picture.At(x, y)]), expected) << x << "," << y;
        }
    }
}

TEST(PngDecoder, BrokenFilesAreUnreadableInLibpngsWords) {
    const auto png = SmallPng();
    // Cut anywhere before the end of the image data (the last data chunk's checksum and the
    // closing chunk, 16 bytes, are not needed for the pixels).
    for (std::size_t size = 0; size + 16 < png.size(); size += size < 60 ? 1 : 3) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        ExpectUnreadable(DecodePng(std::span(png).first(size)), "libpng: ");
    }
    auto corrupt = png;
    corrupt[png.size() - 20] ^= 0x5A;  // inside the image data: its checksum no longer fits
    EXPECT_EQ(DecodePng(corrupt).status, Status::Unreadable);
    auto badHeader = SmallPng();
    badHeader[8 + 8 + 8] = 3;  // bit depth 3 does not exist
    EXPECT_EQ(DecodePng(WithDeclaredSize(badHeader, 16, 8)).status, Status::Unreadable);
}

TEST(PngDecoder, AnIndexPastTheTableIsUnreadable) {
    const auto png = test::MakePng({.width = 8, .height = 2, .type = PngType::Indexed, .table = {{0, 0, 0}, {9, 9, 9}}},
                                   [](int x, int) { return x == 5 ? 7u : 1u; });
    const DecodeOutcome decoded = DecodePng(png);
    EXPECT_EQ(decoded.status, Status::Unreadable);
    EXPECT_NE(decoded.reason.find("colour index"), std::string::npos) << decoded.reason;
}

std::vector<Rgb> Table(int size) {
    std::vector<Rgb> table;
    for (int i = 0; i < size; ++i)
        table.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(3 * i), 0x80});
    return table;
}

TEST(GifDecoder, TheFirstFrameOnItsScreen) {
    struct Case {
        const char* name;
        test::GifFrame frame;
    };
    const std::vector<Case> cases{
        {"whole screen", {}},
        {"interlaced", {.interlaced = true}},
        {"smaller, with its own table", {.left = 3, .top = 2, .width = 9, .height = 5, .table = Table(32)}},
        {"smaller and interlaced", {.left = 0, .top = 5, .width = 20, .height = 11, .interlaced = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A second frame of other colours does not show.
        const test::GifShape shape{
            .width = 20, .height = 16, .table = Table(16), .background = 9, .frames = {c.frame, {}}};
        const auto index = [](int frame, int x, int y) { return frame == 0 ? (x + 5 * y) % 16 : 15; };
        const DecodeOutcome decoded = DecodeGif(test::MakeGif(shape, index));
        ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
        const DecodedPicture& picture = decoded.picture;
        ASSERT_EQ(picture.width, 20);
        ASSERT_EQ(picture.height, 16);
        ASSERT_TRUE(picture.Indexed());
        const int width = c.frame.width < 0 ? 20 : c.frame.width;
        const int height = c.frame.height < 0 ? 16 : c.frame.height;
        const std::vector<Rgb>& frameTable = c.frame.table.empty() ? shape.table : c.frame.table;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 20; ++x) {
                const int fx = x - c.frame.left;
                const int fy = y - c.frame.top;
                const bool inFrame = fx >= 0 && fx < width && fy >= 0 && fy < height;
                const int expected = inFrame ? index(0, fx, fy) : shape.background;
                ASSERT_EQ(picture.indexes[picture.At(x, y)], expected) << x << "," << y;
                ASSERT_EQ(picture.rgb[picture.At(x, y)],
                          (inFrame ? frameTable : shape.table)[static_cast<std::size_t>(expected)])
                    << x << "," << y;
            }
        }
    }
}

TEST(GifDecoder, ASizeNotTakenIsRefusedBeforeTheFrame) {
    const auto gif = test::MakeGif({.width = 4, .height = 4, .table = Table(2)}, [](int, int, int) { return 0; });
    for (const auto& [width, height] : {std::pair{65535, 65535}, {385, 272}, {321, 200}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        auto bytes = gif;
        bytes[6] = static_cast<std::uint8_t>(width);
        bytes[7] = static_cast<std::uint8_t>(width >> 8);
        bytes[8] = static_cast<std::uint8_t>(height);
        bytes[9] = static_cast<std::uint8_t>(height >> 8);
        const DecodeOutcome decoded = DecodeGif(bytes);
        EXPECT_EQ(decoded.status, Status::SizeRefused);
        EXPECT_EQ(decoded.picture.width, width);
        EXPECT_EQ(decoded.picture.height, height);
        EXPECT_TRUE(decoded.picture.rgb.empty());
    }
}

TEST(GifDecoder, BrokenFilesAreUnreadable) {
    const auto index = [](int, int x, int y) { return (x * y) % 4; };
    const auto gif = test::MakeGif({.width = 40, .height = 30, .table = Table(4)}, index);
    for (std::size_t size = 0; size + 1 < gif.size(); size += size < 40 ? 1 : 5) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        const DecodeOutcome decoded = DecodeGif(std::span(gif).first(size));
        EXPECT_EQ(decoded.status, Status::Unreadable);
        EXPECT_FALSE(decoded.reason.empty());
        EXPECT_TRUE(decoded.picture.rgb.empty());
    }
    struct Case {
        const char* name;
        test::GifShape shape;
        const char* words;
    };
    const std::vector<Case> cases{
        {"frame outside the screen",
         {.width = 10, .height = 10, .table = Table(4), .frames = {{.left = 5, .width = 6, .height = 2}}},
         "outside"},
        {"no picture", {.width = 10, .height = 10, .table = Table(4), .frames = {}}, "no picture"},
        // giflib's writer keeps the frame's indexes within its table; the screen's background
        // index it takes as given.
        {"background past the table",
         {.width = 10, .height = 10, .table = Table(2), .background = 9, .frames = {{.width = 4, .height = 4}}},
         "colour index"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodeOutcome decoded = DecodeGif(test::MakeGif(c.shape, index));
        EXPECT_EQ(decoded.status, Status::Unreadable);
        EXPECT_NE(decoded.reason.find(c.words), std::string::npos) << decoded.reason;
    }
}

}  // namespace
}  // namespace pxm::cli

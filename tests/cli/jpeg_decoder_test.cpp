// The JPEG decoder on files written with libjpeg: baseline, progressive and greyscale come out as
// the colours put in (within what lossy coding moves them), CMYK too; damaged files and sizes that
// are not taken are refused before any picture is made.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "lib/reading/picture_decoder.h"
#include "tests/cli/unreadable.h"
#include "tests/support/exif_corners.h"
#include "tests/support/jpeg_builder.h"

namespace pxm::cli {
namespace {

using Status = DecodeOutcome::Status;
using test::JpegColours;
using test::JpegShape;

// Flat 8x8 blocks, as a lossy coder keeps them best: a C64 picture of one colour per cell.
std::uint32_t Blocks(int x, int y) {
    constexpr std::array<std::uint32_t, 5> Colours{0x68372B, 0x70A4B2, 0xFFFFFF, 0x000000, 0x588D43};
    return Colours[static_cast<std::size_t>((x / 8 + 3 * (y / 8)) % 5)];
}

int LargestDifference(Rgb got, std::uint32_t wanted, bool grey) {
    const int r = static_cast<int>(wanted >> 16 & 0xFF);
    const int g = grey ? r : static_cast<int>(wanted >> 8 & 0xFF);
    const int b = grey ? r : static_cast<int>(wanted & 0xFF);
    return std::max({std::abs(got.r - r), std::abs(got.g - g), std::abs(got.b - b)});
}

TEST(JpegDecoder, BaselineProgressiveAndGreyscaleGiveTheColoursPutIn) {
    struct Case {
        const char* name;
        JpegShape shape;
    };
    const std::vector<Case> cases{
        {"baseline", {.width = 40, .height = 24, .quality = 100, .fullChroma = true}},
        {"progressive", {.width = 40, .height = 24, .quality = 100, .progressive = true, .fullChroma = true}},
        {"greyscale", {.width = 40, .height = 24, .colours = JpegColours::Grey, .quality = 100}},
        {"screenshot", {.width = 384, .height = 272, .quality = 100, .fullChroma = true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool grey = c.shape.colours == JpegColours::Grey;
        const DecodeOutcome decoded = DecodeJpeg(test::MakeJpeg(c.shape, Blocks));
        ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
        const DecodedPicture& picture = decoded.picture;
        ASSERT_EQ(picture.width, c.shape.width);
        ASSERT_EQ(picture.height, c.shape.height);
        ASSERT_EQ(picture.rgb.size(), static_cast<std::size_t>(c.shape.width * c.shape.height));
        EXPECT_FALSE(picture.Indexed());
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const Rgb got = picture.rgb[picture.At(x, y)];
                ASSERT_LE(LargestDifference(got, Blocks(x, y), grey), 2) << x << "," << y;
                if (grey) {
                    ASSERT_TRUE(got.r == got.g && got.g == got.b) << x << "," << y;
                }
            }
        }
    }
}

TEST(JpegDecoder, ALossyPictureKeepsItsShapes) {
    // At the quality most programs save with, 4:2:0: colours move, but stay near their blocks'.
    const DecodeOutcome decoded = DecodeJpeg(test::MakeJpeg({.width = 64, .height = 48, .quality = 75}, Blocks));
    ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
    int far = 0;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x)
            far += LargestDifference(decoded.picture.rgb[decoded.picture.At(x, y)], Blocks(x, y), false) > 60;
    }
    EXPECT_LT(far, 64 * 48 / 10);
}

TEST(JpegDecoder, AProgressiveFileOfMoreThan100ScansIsUnreadable) {
    // Each scan is a pass over the whole picture: a damaged or hostile file could hold thousands.
    const auto jpeg =
        test::MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Grey, .scanPerCoefficient = true}, Blocks);
    ASSERT_FALSE(jpeg.empty());
    const DecodeOutcome decoded = DecodeJpeg(jpeg);
    EXPECT_EQ(decoded.status, Status::Unreadable);
    EXPECT_EQ(decoded.reason, "more than 100 progressive scans");
    EXPECT_TRUE(decoded.picture.rgb.empty());
    EXPECT_EQ(DecodeJpeg(
                  test::MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Grey, .progressive = true}, Blocks))
                  .status,
              Status::Decoded);
}

TEST(JpegDecoder, CmykGivesTheColoursPutInAndIsMarkedAsPrintColours) {
    const DecodeOutcome decoded = DecodeJpeg(
        test::MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Cmyk, .quality = 100, .fullChroma = true},
                       Blocks));
    ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
    EXPECT_TRUE(decoded.printColours);
    ASSERT_EQ(decoded.picture.rgb.size(), 16u * 8u);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x)
            ASSERT_LE(LargestDifference(decoded.picture.rgb[decoded.picture.At(x, y)], Blocks(x, y), false), 2) << x << "," << y;
    }
    EXPECT_FALSE(DecodeJpeg(test::MakeJpeg({.width = 16, .height = 8}, Blocks)).printColours);
}

// The same JPEG declaring another size in its frame header (SOF0 with libjpeg's defaults).
std::vector<std::uint8_t> WithDeclaredSize(std::vector<std::uint8_t> jpeg, int width, int height) {
    for (std::size_t at = 2; at + 9 < jpeg.size(); ++at) {
        if (jpeg[at] == 0xFF && (jpeg[at + 1] == 0xC0 || jpeg[at + 1] == 0xC2)) {
            jpeg[at + 5] = static_cast<std::uint8_t>(height >> 8);
            jpeg[at + 6] = static_cast<std::uint8_t>(height);
            jpeg[at + 7] = static_cast<std::uint8_t>(width >> 8);
            jpeg[at + 8] = static_cast<std::uint8_t>(width);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

TEST(JpegDecoder, ASizeNotTakenIsRefusedFromTheFrameHeader) {
    const auto jpeg = test::MakeJpeg({.width = 16, .height = 8}, Blocks);
    for (const auto& [width, height] : {std::pair{65535, 65535}, {385, 272}, {321, 200}, {320, 201}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const DecodeOutcome decoded = DecodeJpeg(WithDeclaredSize(jpeg, width, height));
        EXPECT_EQ(decoded.status, Status::SizeRefused) << decoded.reason;
        EXPECT_EQ(decoded.picture.width, width);
        EXPECT_EQ(decoded.picture.height, height);
        EXPECT_TRUE(decoded.picture.rgb.empty());
    }
    const auto progressive = test::MakeJpeg({.width = 16, .height = 8, .progressive = true}, Blocks);
    EXPECT_EQ(DecodeJpeg(WithDeclaredSize(progressive, 30000, 2)).status, Status::SizeRefused);
}

TEST(JpegDecoder, APictureToBeScaledDownIsDecodedSmallerButNoSmallerThanTheScreen) {
    struct Case {
        int width;
        int height;
        int reduction;  // the largest that leaves at least 320x200
    };
    for (const Case c : {Case{2600, 1700, 8}, {2559, 1700, 4}, {1300, 1599, 4}, {700, 450, 2}, {639, 2000, 1}, {384, 272, 1}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        const auto jpeg = test::MakeJpeg({.width = c.width, .height = c.height, .quality = 95, .fullChroma = true}, Blocks);
        const DecodeOutcome reduced = DecodeJpeg(jpeg, SizesTaken::ScaledDown);
        ASSERT_EQ(reduced.status, Status::Decoded) << reduced.reason;
        EXPECT_EQ(reduced.reduction, (BoxFactors{c.reduction, c.reduction}));
        EXPECT_EQ(reduced.picture.width, (c.width + c.reduction - 1) / c.reduction);
        EXPECT_EQ(reduced.picture.height, (c.height + c.reduction - 1) / c.reduction);
        EXPECT_EQ(reduced.picture.rgb.size(), static_cast<std::size_t>(reduced.picture.width * reduced.picture.height));
        // Placed unscaled, it comes whole, or above 4 megapixels its top left that can be shown.
        const DecodeOutcome whole = DecodeJpeg(jpeg, SizesTaken::Scalable);
        ASSERT_EQ(whole.status, Status::Decoded) << whole.reason;
        EXPECT_EQ(whole.reduction, BoxFactors{});
        const bool large = c.width * c.height > MaxWholePixels;
        EXPECT_EQ(whole.cut, large);
        EXPECT_EQ(whole.picture.width, large ? MaxPictureWidth : c.width);
        // The colours of a flat 64x64 area survive the reduction.
        const int x = 8 * 9;
        const int y = 8 * 9;
        EXPECT_LE(LargestDifference(reduced.picture.rgb[reduced.picture.At(x / c.reduction + 1, y / c.reduction + 1)],
                                    Blocks(x + c.reduction, y + c.reduction), false),
                  24);
    }
}

// Four flat quadrants, red and green above blue and white, as a camera stores them.
std::uint32_t Quadrants(int x, int y, int width, int height) {
    constexpr std::array<std::uint32_t, 4> Corners{test::CornerRed, test::CornerGreen, test::CornerBlue, test::CornerWhite};
    return Corners[static_cast<std::size_t>((x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0))];
}

TEST(JpegDecoder, APhotoIsTurnedAsItsExifOrientationSays) {
    for (const test::ShownCorners& c : test::ExifShownCorners) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::to_string(c.tag) + (bigEndian ? " Motorola" : " Intel"));
            const JpegShape shape{.width = 64, .height = 32, .quality = 100, .fullChroma = true,
                                  .orientation = c.tag, .bigEndianExif = bigEndian};
            const DecodeOutcome decoded =
                DecodeJpeg(test::MakeJpeg(shape, [](int x, int y) { return Quadrants(x, y, 64, 32); }), SizesTaken::Scalable);
            ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
            const DecodedPicture& picture = decoded.picture;
            ASSERT_EQ(picture.width, c.tag >= 5 ? 32 : 64);
            ASSERT_EQ(picture.height, c.tag >= 5 ? 64 : 32);
            const int right = picture.width - 2;
            const int bottom = picture.height - 2;
            const std::array<std::pair<int, int>, 4> at{{{1, 1}, {right, 1}, {1, bottom}, {right, bottom}}};
            for (std::size_t k = 0; k < 4; ++k)
                EXPECT_LE(LargestDifference(picture.rgb[picture.At(at[k].first, at[k].second)], c.corners[k], false), 8)
                    << "corner " << k;
        }
    }
}

// Placed unscaled, a photo of more than 4 megapixels keeps only the part that shows as its top
// left, however it is turned.
TEST(JpegDecoder, ALargePhotoPlacedUnscaledKeepsTheTopLeftAsShown) {
    for (const test::ShownCorners& c : test::ExifShownCorners) {
        if (c.tag % 2 == 0 && c.tag != 6) continue;  // half of them: each a file of 4.3 megapixels
        SCOPED_TRACE(c.tag);
        const JpegShape shape{.width = 2400, .height = 1800, .quality = 90, .fullChroma = true, .orientation = c.tag};
        const DecodeOutcome decoded =
            DecodeJpeg(test::MakeJpeg(shape, [](int x, int y) { return Quadrants(x, y, 2400, 1800); }), SizesTaken::Scalable);
        ASSERT_EQ(decoded.status, Status::Decoded) << decoded.reason;
        EXPECT_TRUE(decoded.cut);
        const DecodedPicture& picture = decoded.picture;
        ASSERT_EQ(picture.width, MaxPictureWidth);
        ASSERT_EQ(picture.height, MaxPictureHeight);
        for (const auto& [x, y] : {std::pair{1, 1}, {318, 1}, {1, 198}, {318, 198}})
            EXPECT_LE(LargestDifference(picture.rgb[picture.At(x, y)], c.corners[0], false), 8) << x << "," << y;
    }
}

// A progressive JPEG keeps all its coefficients: 4:4:4 at 4800 x 3600 would take 104 MB, and
// is refused for its memory before any pixel is decoded; baseline, it is taken.
TEST(JpegDecoder, AProgressiveJpegTooLargeForItsCoefficientsIsRefusedForItsMemory) {
    const auto flat = [](int, int) { return test::CornerBlue; };
    const JpegShape shape{.width = 4800, .height = 3600, .quality = 75, .progressive = true, .fullChroma = true};
    const DecodeOutcome refused = DecodeJpeg(test::MakeJpeg(shape, flat), SizesTaken::ScaledDown);
    EXPECT_EQ(refused.status, Status::MemoryRefused) << refused.reason;
    EXPECT_EQ(refused.picture.width, 4800);
    EXPECT_EQ(refused.picture.height, 3600);
    EXPECT_TRUE(refused.picture.rgb.empty());
    JpegShape baseline = shape;
    baseline.progressive = false;
    EXPECT_EQ(DecodeJpeg(test::MakeJpeg(baseline, flat), SizesTaken::ScaledDown).status, Status::Decoded);
}

TEST(JpegDecoder, TheSizeTakenIsTheSizeShown) {
    const auto pixel = [](int x, int y) { return Quadrants(x, y, 200, 320); };
    // Stored upright as 200x320, shown as 320x200: a C64 picture's size.
    const DecodeOutcome portrait = DecodeJpeg(test::MakeJpeg({.width = 200, .height = 320, .orientation = 8}, pixel));
    ASSERT_EQ(portrait.status, Status::Decoded) << portrait.reason;
    EXPECT_EQ(portrait.picture.width, 320);
    EXPECT_EQ(portrait.picture.height, 200);
    // Stored as 320x200, shown as 200x320: refused with the size shown.
    const DecodeOutcome turned =
        DecodeJpeg(test::MakeJpeg({.width = 320, .height = 200, .orientation = 6}, [](int x, int y) { return Quadrants(x, y, 320, 200); }));
    EXPECT_EQ(turned.status, Status::SizeRefused);
    EXPECT_EQ(turned.picture.width, 200);
    EXPECT_EQ(turned.picture.height, 320);
    EXPECT_TRUE(turned.picture.rgb.empty());
    // Scaled down, the reduction leaves the shown picture at least the screen's size each way.
    const DecodeOutcome reduced = DecodeJpeg(
        test::MakeJpeg({.width = 800, .height = 1400, .orientation = 6}, [](int x, int y) { return Quadrants(x, y, 800, 1400); }),
        SizesTaken::ScaledDown);
    ASSERT_EQ(reduced.status, Status::Decoded) << reduced.reason;
    EXPECT_EQ(reduced.reduction, (BoxFactors{4, 4}));  // 1400/4 x 800/4; 1/8 would leave 175x100
    EXPECT_EQ(reduced.picture.width, 350);
    EXPECT_EQ(reduced.picture.height, 200);
}

TEST(JpegDecoder, DamagedAndCutFilesAreUnreadableInLibjpegsWords) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const auto jpeg = test::MakeJpeg({.width = 48, .height = 32, .progressive = progressive}, Blocks);
        // Cut anywhere before the end-of-image marker: never a picture with a grey rest.
        for (std::size_t size = 0; size + 2 < jpeg.size(); size += size < 700 ? 7 : 1) {
            SCOPED_TRACE("cut at " + std::to_string(size));
            ExpectUnreadable(DecodeJpeg(std::span(jpeg).first(size)), "libjpeg: ");
        }
    }
    auto noHeader = test::MakeJpeg({.width = 16, .height = 8}, Blocks);
    noHeader.resize(3);
    EXPECT_EQ(DecodeJpeg(noHeader).status, Status::Unreadable);
}

}  // namespace
}  // namespace pxm::cli

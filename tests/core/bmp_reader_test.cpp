#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/import/bmp_reader.h"
#include "tests/core/core_test_support.h"
#include "tests/support/bmp_builder.h"

namespace pxm {
namespace {

using test::BmpShape;
using test::MakeBmp;

// Every pixel of a row differs from its neighbours, so reading the wrong one of a pair shows.
int Pattern(int x, int y, int bits) { return bits == 4 ? (x * 5 + y * 3) % 16 : (x * 37 + y * 11) % 256; }

std::vector<std::uint8_t> PatternBmp(const BmpShape& shape) {
    return MakeBmp(shape, [&](int x, int y) { return Pattern(x, y, shape.bitsPerPixel); });
}

// 16 colours sample the right-hand pixel of each pair, 256 colours the left-hand one; columns
// past the picture and rows below it are 0.
std::uint8_t ExpectedPixel(const BmpShape& shape, int column, int row) {
    const int x = shape.bitsPerPixel == 4 ? 2 * column + 1 : 2 * column;
    if (row >= shape.height || x >= shape.width) return 0;
    return static_cast<std::uint8_t>(Pattern(x, row, shape.bitsPerPixel));
}

void ExpectCanvas(const Canvas& canvas, const std::function<std::uint8_t(int, int)>& expected) {
    int mismatches = 0;
    for (int x = 0; x < CanvasColumns && mismatches < 5; ++x)
        for (int y = 0; y < CanvasRows && mismatches < 5; ++y)
            if (canvas[CanvasIndex(x, y)] != expected(x, y)) {
                ++mismatches;
                ADD_FAILURE() << "column " << x << " row " << y << ": " << int{canvas[CanvasIndex(x, y)]}
                              << " instead of " << int{expected(x, y)};
            }
}

std::uint8_t ByteOr0(const std::vector<std::uint8_t>& file, std::size_t at) { return at < file.size() ? file[at] : 0; }

struct Shape {
    int bits, width, height;
};

// Colours16_320x200
std::string CaseName(const Shape& s) {
    return "Colours" + std::to_string(s.bits == 4 ? 16 : 256) + "_" + std::to_string(s.width) + "x" + std::to_string(s.height);
}
void PrintTo(const Shape& s, std::ostream* os) { *os << CaseName(s); }

class BmpShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(BmpShapes, SamplesOnePixelOfEachPairBottomRowFirst) {
    const BmpShape shape{.width = GetParam().width, .height = GetParam().height, .bitsPerPixel = GetParam().bits};
    auto canvas = test::FilledCanvas(0xEE);
    const auto result = ReadBmp(PatternBmp(shape), *canvas);
    ASSERT_TRUE(result.ok()) << BmpFailureMessage(result.error()).text;
    EXPECT_EQ(result->width, shape.width);
    EXPECT_EQ(result->height, shape.height);
    EXPECT_EQ(result->colours, shape.bitsPerPixel == 4 ? 16 : 256);
    ExpectCanvas(*canvas, [&](int x, int y) { return ExpectedPixel(shape, x, y); });
}

INSTANTIATE_TEST_SUITE_P(Shapes, BmpShapes,
                         ::testing::Values(Shape{4, 320, 200}, Shape{8, 320, 200}, Shape{4, 100, 200},
                                           Shape{4, 7, 3}, Shape{8, 7, 5}, Shape{8, 101, 13}, Shape{4, 1, 1},
                                           Shape{8, 1, 1}, Shape{4, 319, 199}),
                         test::CaseNames{});

TEST(BmpReader, OddWidthTakesTheHalfByteAfterTheLastPixel) {
    const BmpShape shape{.width = 7, .height = 2};
    auto file = PatternBmp(shape);
    for (int k = 0; k < 2; ++k) file[118 + 4 * k + 3] = static_cast<std::uint8_t>((file[118 + 4 * k + 3] & 0xF0) | (9 + k));
    Canvas canvas{};
    const auto result = ReadBmp(file, canvas);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->width, 7);
    for (int y = 0; y < 2; ++y) {
        SCOPED_TRACE("row " + std::to_string(y));
        for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas[CanvasIndex(x, y)], Pattern(2 * x + 1, y, 4)) << "column " << x;
        EXPECT_EQ(canvas[CanvasIndex(3, y)], 9 + (1 - y));  // data row 0 is the bottom row
        EXPECT_EQ(canvas[CanvasIndex(4, y)], 0);
    }
}

TEST(BmpReader, KeepsIndexesAbove15) {
    Canvas canvas{};
    ASSERT_TRUE(ReadBmp(MakeBmp({.width = 4, .height = 1, .bitsPerPixel = 8}, [](int, int) { return 200; }), canvas).ok());
    EXPECT_EQ(canvas[CanvasIndex(0, 0)], 200);
    EXPECT_EQ(canvas[CanvasIndex(1, 0)], 200);
}

TEST(BmpReader, SmallerPictureClearsTheRestOfTheCanvas) {
    Canvas canvas{};
    ASSERT_TRUE(ReadBmp(MakeBmp({.bitsPerPixel = 8}, [](int, int) { return 77; }), canvas).ok());
    const BmpShape small{.width = 10, .height = 10};
    ASSERT_TRUE(ReadBmp(PatternBmp(small), canvas).ok());
    ExpectCanvas(canvas, [&](int x, int y) { return ExpectedPixel(small, x, y); });
}

TEST(BmpReader, FileEndingInsideThePixelsLeavesTheMissingPixelsZero) {
    const BmpShape shape{};
    auto file = PatternBmp(shape);
    file.resize(118 + 160 * 50 + 37);
    auto canvas = test::FilledCanvas(0xEE);
    ASSERT_TRUE(ReadBmp(file, *canvas).ok());
    ExpectCanvas(*canvas, [&](int x, int y) {
        const std::size_t at = 118 + static_cast<std::size_t>(199 - y) * 160 + static_cast<std::size_t>(x);
        return at < file.size() ? ExpectedPixel(shape, x, y) : std::uint8_t{0};
    });
}

TEST(BmpReader, HeaderWithoutPaletteOrPixelsGivesAnEmptyPicture) {
    auto file = PatternBmp({.width = 20, .height = 20});
    file.resize(BmpHeaderSize);
    auto canvas = test::FilledCanvas(0xEE);
    ASSERT_TRUE(ReadBmp(file, *canvas).ok());
    ExpectCanvas(*canvas, [](int, int) { return std::uint8_t{0}; });
}

// The pixels follow a palette of as many entries as the important-colours field says; the
// pixel-data offset and the bits-per-pixel field are not consulted.
TEST(BmpReader, PixelsStartAfterThePaletteTheColourCountImplies) {
    for (const int bits : {4, 8}) {
        SCOPED_TRACE(std::to_string(bits) + " bits per pixel");
        const BmpShape shape{.width = 30, .height = 9, .bitsPerPixel = bits};
        auto file = PatternBmp(shape);
        file[10] = 54;  // pixel-data offset field: ignored
        file[11] = 0;
        Canvas canvas{};
        ASSERT_TRUE(ReadBmp(file, canvas).ok());
        ExpectCanvas(canvas, [&](int x, int y) { return ExpectedPixel(shape, x, y); });
    }
    // A 16-colour file written with no palette at all: the reader still skips 64 bytes.
    auto bare = PatternBmp({.width = 40, .height = 6, .paletteEntries = 0});
    Canvas canvas{};
    ASSERT_TRUE(ReadBmp(bare, canvas).ok());
    ExpectCanvas(canvas, [&](int x, int y) {
        return x < 20 && y < 6 ? static_cast<std::uint8_t>(ByteOr0(bare, 118 + (5 - y) * 20 + x) & 0x0F) : std::uint8_t{0};
    });
}

TEST(BmpReader, EightBitFileCountedAs16ColoursIsReadAs4BitData) {
    const BmpShape shape{.width = 64, .height = 5, .bitsPerPixel = 8, .importantColours = 16, .paletteEntries = 16};
    const auto file = PatternBmp(shape);
    Canvas canvas{};
    const auto result = ReadBmp(file, canvas);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->colours, 16);
    // 4-bit rows of 32 bytes, the low nibble of byte x.
    ExpectCanvas(canvas, [&](int x, int y) {
        return x < 32 && y < 5 ? static_cast<std::uint8_t>(ByteOr0(file, 118 + (4 - y) * 32 + x) & 0x0F) : std::uint8_t{0};
    });
}

// The signature and bits-per-pixel checks take every well-formed file, and read it alike.
TEST(BmpReader, WellFormedFilesPassTheHeaderChecks) {
    for (const int bits : {4, 8}) {
        SCOPED_TRACE(std::to_string(bits) + " bits per pixel");
        const auto file = PatternBmp({.width = 33, .height = 17, .bitsPerPixel = bits});
        Canvas checked{};
        Canvas fieldsOnly{};
        ASSERT_TRUE(ReadBmp(file, checked, BmpHeaderCheck::SignatureAndDepth).ok());
        ASSERT_TRUE(ReadBmp(file, fieldsOnly).ok());
        EXPECT_TRUE(checked == fieldsOnly);
    }
}

// Without the checks neither the signature nor the bits per pixel is consulted.
TEST(BmpReader, FieldsOnlyTakesAFileWithoutSignatureOrBitsPerPixel) {
    const BmpShape shape{.width = 16, .height = 16};
    auto file = PatternBmp(shape);
    file[0] = 0;
    file[1] = 0;
    file[28] = 0;
    Canvas canvas{};
    ASSERT_TRUE(ReadBmp(file, canvas, BmpHeaderCheck::FieldsOnly).ok());
    ExpectCanvas(canvas, [&](int x, int y) { return ExpectedPixel(shape, x, y); });
}

TEST(BmpReader, EachFailureHasItsMessage) {
    EXPECT_EQ(&BmpFailureMessage(BmpFailure::Incomplete), &msg::IncompleteFile);
    EXPECT_EQ(&BmpFailureMessage(BmpFailure::TooLarge), &msg::BitmapTooLarge);
    // A file that is no 16- or 256-colour bitmap is told which files are taken.
    for (const BmpFailure failure : {BmpFailure::ColourCount, BmpFailure::NoSignature, BmpFailure::DepthDiffers})
        EXPECT_EQ(&BmpFailureMessage(failure), &msg::BadColourCount);
}

TEST(BmpReader, OnlyTheLow16BitsOfTheColourCountCount) {
    Canvas canvas{};
    const auto result = ReadBmp(PatternBmp({.width = 8, .height = 2, .importantColours = 0x10010}), canvas);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->colours, 16);
}

struct Refusal {
    const char* name;
    std::vector<std::uint8_t> file;
    BmpFailure failure;
    BmpHeaderCheck check = BmpHeaderCheck::FieldsOnly;
};

std::vector<std::uint8_t> Truncated(std::vector<std::uint8_t> file, std::size_t size) {
    file.resize(size);
    return file;
}

std::vector<std::uint8_t> WithByte(std::vector<std::uint8_t> file, std::size_t at, std::uint8_t value) {
    file[at] = value;
    return file;
}

constexpr BmpHeaderCheck Strict = BmpHeaderCheck::SignatureAndDepth;

std::string CaseName(const Refusal& r) { return r.name; }
void PrintTo(const Refusal& r, std::ostream* os) { *os << CaseName(r); }

class BmpRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(BmpRefusals, ReportsTheMessageAndLeavesTheCanvasAlone) {
    auto canvas = test::FilledCanvas(0);
    for (std::size_t i = 0; i < canvas->size(); ++i) (*canvas)[i] = static_cast<std::uint8_t>(i * 13);
    const Canvas before = *canvas;
    const auto result = ReadBmp(GetParam().file, *canvas, GetParam().check);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), GetParam().failure);
    EXPECT_TRUE(*canvas == before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, BmpRefusals,
    ::testing::Values(
        Refusal{"TooWide", PatternBmp({.width = 321}), BmpFailure::TooLarge},
        Refusal{"TooHigh", PatternBmp({.height = 201}), BmpFailure::TooLarge},
        Refusal{"TooWide256", PatternBmp({.width = 321, .bitsPerPixel = 8}), BmpFailure::TooLarge},
        Refusal{"SizeBeforeColourCount", PatternBmp({.width = 400, .importantColours = 0}), BmpFailure::TooLarge},
        Refusal{"TopDown", PatternBmp({.width = 16, .height = 16, .topDown = true}), BmpFailure::TooLarge},
        Refusal{"ImportantColoursZero", PatternBmp({.width = 16, .height = 16, .importantColours = 0}), BmpFailure::ColourCount},
        Refusal{"ImportantColours2", PatternBmp({.width = 16, .height = 16, .importantColours = 2}), BmpFailure::ColourCount},
        Refusal{"ImportantColours255",
                PatternBmp({.width = 16, .height = 16, .bitsPerPixel = 8, .importantColours = 255}), BmpFailure::ColourCount},
        Refusal{"Empty", {}, BmpFailure::Incomplete},
        Refusal{"HeaderCut", Truncated(PatternBmp({.width = 16, .height = 16}), BmpHeaderSize - 1), BmpFailure::Incomplete},
        Refusal{"HeaderCutEarly", Truncated(PatternBmp({.width = 16, .height = 16}), 20), BmpFailure::Incomplete},
        // Checking the signature and the bits per pixel as well.
        Refusal{"NoSignature", WithByte(PatternBmp({.width = 16, .height = 16}), 0, 'b'), BmpFailure::NoSignature, Strict},
        Refusal{"CutBeforeTheSignatureCounts", Truncated(WithByte(PatternBmp({}), 1, 0), 53), BmpFailure::Incomplete,
                Strict},
        Refusal{"SignatureBeforeSize", WithByte(PatternBmp({.width = 400}), 1, 'A'), BmpFailure::NoSignature, Strict},
        Refusal{"SizeBeforeDepth", PatternBmp({.width = 400, .bitsPerPixel = 8, .importantColours = 16}),
                BmpFailure::TooLarge, Strict},
        Refusal{"ColourCountBeforeDepth", WithByte(PatternBmp({.importantColours = 0}), 28, 24), BmpFailure::ColourCount,
                Strict},
        Refusal{"EightBitsCountedAs16Colours",
                PatternBmp({.width = 64, .height = 5, .bitsPerPixel = 8, .importantColours = 16, .paletteEntries = 16}),
                BmpFailure::DepthDiffers, Strict},
        Refusal{"FourBitsCountedAs256Colours", PatternBmp({.width = 64, .height = 5, .importantColours = 256}),
                BmpFailure::DepthDiffers, Strict},
        Refusal{"NoBitsPerPixel", WithByte(PatternBmp({.width = 16, .height = 16}), 28, 0), BmpFailure::DepthDiffers,
                Strict},
        Refusal{"TwentyFourBitsCountedAs256", WithByte(PatternBmp({.width = 16, .height = 16, .bitsPerPixel = 8}), 28, 24),
                BmpFailure::DepthDiffers, Strict}),
    test::CaseNames{});

}  // namespace
}  // namespace pxm

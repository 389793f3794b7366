// What pxm_convert and pxm_convert_rgba make of inputs that are no picture, of missing and
// zero-sized ones and of NULL handles: results (refused, in the converter's words), never a
// crash; and RGBA pixels converted as a PNG of them, whatever their rows' stride.
#include <gtest/gtest.h>

#include "tests/lib/lib_test_support.h"
#include "tests/support/c64_art.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

const std::string NoPixels = "pixmosaic: no pixels: give RGBA rows of at least width * 4 bytes\n";

// The picture's pixels as RGBA rows `stride` bytes apart, the padding filled with a colour that
// must not show; the last row ends the buffer, so that a read past it is one past the pixels.
std::vector<std::uint8_t> RgbaRows(int width, int height, std::size_t stride, const std::function<std::uint32_t(int, int)>& pixel) {
    std::vector<std::uint8_t> rgba(stride * static_cast<std::size_t>(height - 1) + 4 * static_cast<std::size_t>(width), 0xA5);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            std::uint8_t* at = rgba.data() + stride * static_cast<std::size_t>(y) + 4 * static_cast<std::size_t>(x);
            at[0] = static_cast<std::uint8_t>(c >> 16);
            at[1] = static_cast<std::uint8_t>(c >> 8);
            at[2] = static_cast<std::uint8_t>(c);
            at[3] = 255;
        }
    }
    return rgba;
}

void ExpectRefusedWithoutFile(const Outcome& result) {
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_FALSE(result.hasFile);
    EXPECT_TRUE(result.file.empty());
    EXPECT_EQ(result.width, 0);
    EXPECT_EQ(result.height, 0);
}

TEST(CInterfaceInput, BytesOfNoKnownKindAndNoBytesAreRefused) {
    const std::string notAPicture =
        "Error: standard input: This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n";
    const std::string text = "These words are no picture at all.\n";
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::string message;
    };
    for (const Case& c : {Case{"words", {text.begin(), text.end()}, notAPicture}, Case{"empty", {}, notAPicture},
                          Case{"one byte", {0x42}, notAPicture},
                          Case{"a PNG signature alone", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'},
                               "Error: standard input: This PNG file is damaged or incomplete (libpng: the file ends early).\n"}}) {
        SCOPED_TRACE(c.what);
        for (const OptionList& options : {OptionList{}, OptionList{{"nearest", "1"}}}) {
            const Outcome result = Converted(options, c.bytes);
            ExpectRefusedWithoutFile(result);
            EXPECT_EQ(result.message, c.message);
        }
    }
    // NULL data is no bytes, and NULL options the converter's defaults.
    const ResultHandle none(pxm_convert(nullptr, nullptr, 100));
    ASSERT_NE(none, nullptr);
    const Outcome nothing = OutcomeOf(none.get());
    ExpectRefusedWithoutFile(nothing);
    EXPECT_EQ(nothing.message, notAPicture);
}

TEST(CInterfaceInput, NullResultsAnswerAsRefusedOnes) {
    EXPECT_EQ(pxm_result_status(nullptr), ExitRefused);
    std::size_t size = 7;
    EXPECT_EQ(pxm_result_file(nullptr, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(pxm_result_file(nullptr, nullptr), nullptr);
    EXPECT_STREQ(pxm_result_message(nullptr), "");
    int width = 7;
    int height = 7;
    EXPECT_EQ(pxm_result_preview(nullptr, &width, &height), nullptr);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(pxm_result_preview(nullptr, nullptr, nullptr), nullptr);
    pxm_result_free(nullptr);
    pxm_options_free(nullptr);
}

TEST(CInterfaceInput, PixelsThatAreNoneComeBackRefused) {
    const std::vector<std::uint8_t> rgba(4 * 8 * 8, 0xFF);
    struct Case {
        const char* what;
        const std::uint8_t* pixels;
        int width;
        int height;
        std::size_t stride;
    };
    for (const Case& c : {Case{"NULL pixels", nullptr, 8, 8, 32}, Case{"no width", rgba.data(), 0, 8, 32},
                          Case{"no height", rgba.data(), 8, 0, 32}, Case{"a negative width", rgba.data(), -8, 8, 32},
                          Case{"a stride too small", rgba.data(), 8, 8, 31}, Case{"no stride", rgba.data(), 8, 8, 0}}) {
        SCOPED_TRACE(c.what);
        const ResultHandle result(pxm_convert_rgba(nullptr, c.pixels, c.width, c.height, c.stride));
        ASSERT_NE(result, nullptr);
        const Outcome outcome = OutcomeOf(result.get());
        ExpectRefusedWithoutFile(outcome);
        EXPECT_EQ(outcome.message, NoPixels);
    }
}

TEST(CInterfaceInput, PixelsAreConvertedAsAPngOfThemWhateverTheirStride) {
    const auto art = [](int x, int y) { return PeptoHex(Fitting(x, y)); };
    const auto photo = [](int x, int y) { return SmoothPhoto(x, y, 3); };
    struct Case {
        const char* what;
        OptionList options;
        int width;
        int height;
        std::function<std::uint32_t(int, int)> pixel;
    };
    for (const Case& c : {Case{"pixel art", {}, 320, 200, art}, Case{"a photograph", {{"nearest", "1"}}, 250, 170, photo}}) {
        SCOPED_TRACE(c.what);
        const OptionsHandle options = OptionsWith(c.options);
        const Outcome png = Converted(options.get(), MakePng({.width = c.width, .height = c.height}, c.pixel));
        ASSERT_EQ(png.status, 0) << png.message;
        const auto tight = static_cast<std::size_t>(c.width) * 4;
        for (const std::size_t stride : {tight, tight + 4, tight + 13, 2 * tight}) {
            SCOPED_TRACE(stride);
            const Outcome rgba = ConvertedRgba(options.get(), RgbaRows(c.width, c.height, stride, c.pixel), c.width, c.height, stride);
            EXPECT_EQ(rgba.status, 0) << rgba.message;
            EXPECT_EQ(rgba.message, png.message);
            EXPECT_EQ(rgba.file, png.file);
            EXPECT_EQ(rgba.rgba, png.rgba);
        }
    }
}

TEST(CInterfaceInput, TransparentPixelsAreRefusedAsInAPng) {
    const auto holes = [](int x, int y) { return x < 8 && y < 8 ? 0u : PeptoHex(Fitting(x, y)); };
    std::vector<std::uint8_t> rgba = RgbaRows(320, 200, 320 * 4, holes);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) rgba[static_cast<std::size_t>(y * 320 + x) * 4 + 3] = 0;
    }
    const Outcome png = Converted({}, MakePng({.type = PngType::RgbAlpha}, [&](int x, int y) {
        return x < 8 && y < 8 ? 0xFF000000u : holes(x, y);
    }));
    const Outcome result = ConvertedRgba(nullptr, rgba, 320, 200, 320 * 4);
    EXPECT_EQ(result.status, ExitRefused);
    EXPECT_EQ(result.message, png.message);
}

}  // namespace
}  // namespace pxm::test

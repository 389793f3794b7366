// The size a PNG's header or a GIF's screen declares, read before any decoder sees the file.
#include "core/import/declared_size.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace pxm {
namespace {

std::vector<std::uint8_t> PngStart(std::uint32_t width, std::uint32_t height, std::string_view type = "IHDR") {
    std::vector<std::uint8_t> bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    for (const char c : type) bytes.push_back(static_cast<std::uint8_t>(c));
    for (const std::uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return bytes;
}

TEST(DeclaredSize, PngHeaderIsBigEndian) {
    const auto size = DeclaredSizeOf(PictureKind::Png, PngStart(0x00012345, 272));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 0x12345);
    EXPECT_EQ(size->height, 272);
}

TEST(DeclaredSize, GifScreenIsLittleEndian) {
    const std::vector<std::uint8_t> gif{'G', 'I', 'F', '8', '9', 'a', 0x80, 0x01, 0x10, 0x01};
    const auto size = DeclaredSizeOf(PictureKind::Gif, gif);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, 384);
    EXPECT_EQ(size->height, 272);
}

TEST(DeclaredSize, NoneWithoutAHeaderToReadItFrom) {
    auto cut = PngStart(320, 200);
    cut.pop_back();
    EXPECT_FALSE(DeclaredSizeOf(PictureKind::Png, cut));
    EXPECT_FALSE(DeclaredSizeOf(PictureKind::Png, PngStart(320, 200, "tEXt")));
    EXPECT_FALSE(DeclaredSizeOf(PictureKind::Png, PngStart(0x80000000u, 200)));
    EXPECT_FALSE(DeclaredSizeOf(PictureKind::Gif, std::vector<std::uint8_t>{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1}));
    EXPECT_FALSE(DeclaredSizeOf(PictureKind::Bmp, PngStart(320, 200)));
}

}  // namespace
}  // namespace pxm

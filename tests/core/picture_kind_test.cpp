#include "core/import/picture_kind.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace pxm {
namespace {

PictureKind KindOf(std::string_view firstBytes) {
    const std::vector<std::uint8_t> bytes(firstBytes.begin(), firstBytes.end());
    return KindOfPicture(bytes);
}

TEST(PictureKind, ToldByTheFirstBytes) {
    struct Case {
        std::string_view bytes;
        PictureKind kind;
    };
    using namespace std::string_view_literals;
    const std::vector<Case> cases{
        {"\x89PNG\r\n\x1A\n\0\0\0\rIHDR"sv, PictureKind::Png},
        {"\x89PNG\r\n\x1A"sv, PictureKind::Unknown},  // a signature cut short
        {"\x89PNG\n\x1A\n\0"sv, PictureKind::Unknown},  // line ends changed in transfer
        {"GIF87a\x40\x01"sv, PictureKind::Gif},
        {"GIF89a"sv, PictureKind::Gif},
        {"GIF88a"sv, PictureKind::Unknown},
        {"\xFF\xD8\xFF\xE0\0\x10JFIF"sv, PictureKind::Jpeg},
        {"\xFF\xD8\xFF"sv, PictureKind::Jpeg},
        {"\xFF\xD8\xFE"sv, PictureKind::Unknown},
        {"BM\x36\x7E"sv, PictureKind::Bmp},
        {"BM"sv, PictureKind::Bmp},
        {"B"sv, PictureKind::Unknown},
        {"bm\x36\x7E"sv, PictureKind::Unknown},
        {"\xFF\xD8\xFF\xE0\0\x10JFIF"sv, PictureKind::Jpeg},
        {"\xFF\xD8\xFF\xDB"sv, PictureKind::Jpeg},
        {"\xFF\xD8\xFF"sv, PictureKind::Jpeg},
        {"\xFF\xD8\0"sv, PictureKind::Unknown},
        {"\0\0\0\0\0\0"sv, PictureKind::Unknown},
        {""sv, PictureKind::Unknown},
        {"RIFF\x24\0\0\0WEBPVP8L"sv, PictureKind::Webp},
        {"RIFF\x24\0\0\0WAVEfmt "sv, PictureKind::Unknown},  // a RIFF file of sound
        {"RIFF\x24\0\0\0WEB"sv, PictureKind::Unknown},
        {"II*\0\x08\0\0\0"sv, PictureKind::Tiff},
        {"MM\0*\0\0\0\x08"sv, PictureKind::Tiff},
        {"II\0*"sv, PictureKind::Unknown},
        {"MM*\0"sv, PictureKind::Unknown},
        // HEIF files by the brands of their file type box: the major brand, then compatible ones.
        {"\0\0\0\030ftypheic\0\0\0\0mif1heic"sv, PictureKind::Heic},
        {"\0\0\0\020ftypmif1\0\0\0\0"sv, PictureKind::Heic},
        {"\0\0\0\034ftypavif\0\0\0\0avifmif1miaf"sv, PictureKind::Avif},
        {"\0\0\0\030ftypmif1\0\0\0\0mif1avif"sv, PictureKind::Avif},  // AV1 named second
        {"\0\0\0\024ftypmif1\0\0\0\0"sv "avif"sv, PictureKind::Avif},
        {"\0\0\0\020ftypmif1\0\0\0\0avif"sv, PictureKind::Heic},  // past the box's end: another box
        {"\0\0\0\030ftypisom\0\0\x02\0isommp41"sv, PictureKind::Unknown},  // a video
        {"\0\0\0\030ftyphei"sv, PictureKind::Unknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.bytes)));
        EXPECT_EQ(KindOf(c.bytes), c.kind);
    }
    EXPECT_EQ(KindName(PictureKind::Png), "PNG");
    EXPECT_EQ(KindName(PictureKind::Gif), "GIF");
    EXPECT_EQ(KindName(PictureKind::Bmp), "BMP");
    EXPECT_EQ(KindName(PictureKind::Jpeg), "JPEG");
    EXPECT_EQ(KindName(PictureKind::Webp), "WebP");
    EXPECT_EQ(KindName(PictureKind::Tiff), "TIFF");
    EXPECT_EQ(KindName(PictureKind::Heic), "HEIC");
    EXPECT_EQ(KindName(PictureKind::Avif), "AVIF");
    EXPECT_EQ(KindName(PictureKind::Unknown), "");
}

}  // namespace
}  // namespace pxm

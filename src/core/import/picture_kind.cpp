#include "core/import/picture_kind.h"

#include <algorithm>

namespace pxm {

namespace {

constexpr std::string_view PngSignature = "\x89PNG\r\n\x1A\n";
constexpr std::string_view Gif87 = "GIF87a";
constexpr std::string_view Gif89 = "GIF89a";
// Start of image, then the first marker of any JPEG (JFIF, Exif or none).
constexpr std::string_view JpegSignature = "\xFF\xD8\xFF";

bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
    return bytes.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes.begin(),
                      [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

}  // namespace

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes) {
    if (StartsWith(firstBytes, PngSignature)) return PictureKind::Png;
    if (StartsWith(firstBytes, Gif87) || StartsWith(firstBytes, Gif89)) return PictureKind::Gif;
    if (StartsWith(firstBytes, JpegSignature)) return PictureKind::Jpeg;
    return PictureKind::Bmp;
}

std::string_view KindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Png: return "PNG";
        case PictureKind::Gif: return "GIF";
        case PictureKind::Jpeg: return "JPEG";
        case PictureKind::Bmp: break;
    }
    return "BMP";
}

}  // namespace pxm

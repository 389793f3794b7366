#pragma once
// What a file is, told by its first bytes rather than by its name.
#include <cstdint>
#include <span>
#include <string_view>

namespace pxm {

// Unknown: none of the signatures below (a file too short to hold one included). Heic and Avif
// are both HEIF files, told apart by the brands of their file type box.
enum class PictureKind { Bmp, Png, Gif, Jpeg, Webp, Tiff, Heic, Avif, Unknown };

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes);

// "BMP", "PNG", "GIF", "JPEG", "WebP", "TIFF", "HEIC" or "AVIF", as messages name a file's
// pixels; empty for Unknown.
std::string_view KindName(PictureKind kind);

}  // namespace pxm

#pragma once
// What a file is, told by its first bytes rather than by its name.
#include <cstdint>
#include <span>
#include <string_view>

namespace pxm {

// Unknown: none of the signatures below (a file too short to hold one included).
enum class PictureKind { Bmp, Png, Gif, Jpeg, Unknown };

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes);

// "BMP", "PNG", "GIF" or "JPEG", as messages name a file's pixels; empty for Unknown.
std::string_view KindName(PictureKind kind);

}  // namespace pxm

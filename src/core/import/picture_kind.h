#pragma once
// Which reader a file goes to, told by its first bytes rather than by its name.
#include <cstdint>
#include <span>
#include <string_view>

namespace pxm {

// Anything that is neither PNG, GIF nor JPEG goes to the BMP reader, which has always taken any
// file.
enum class PictureKind { Bmp, Png, Gif, Jpeg };

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes);

// "BMP", "PNG", "GIF" or "JPEG", as messages name a file's pixels.
std::string_view KindName(PictureKind kind);

}  // namespace pxm

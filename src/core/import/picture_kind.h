#pragma once
// Which reader a file goes to, told by its first bytes rather than by its name.
#include <cstdint>
#include <span>
#include <string_view>

namespace pxm {

// Anything that is neither PNG nor GIF goes to the BMP reader, which has always taken any file.
enum class PictureKind { Bmp, Png, Gif };

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes);

// "BMP", "PNG" or "GIF", as messages name a file's pixels.
std::string_view KindName(PictureKind kind);

}  // namespace pxm

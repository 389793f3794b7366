#pragma once
// The two headers every BMP the converter writes starts with (BITMAPFILEHEADER and
// BITMAPINFOHEADER, uncompressed, rows bottom up), then its palette and pixels.
#include <cstdint>

#include "core/base/byte_writer.h"

namespace pxm {

inline constexpr std::uint32_t BmpFileHeaderSize = 14;
inline constexpr std::uint32_t BmpInfoHeaderSize = 40;

// Rows of a BMP are padded to a multiple of four bytes.
constexpr std::uint32_t BmpRowBytes(std::uint32_t width, std::uint32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

struct BmpShape {
    std::uint32_t width;
    std::uint32_t height;
    std::uint16_t bitsPerPixel;
    std::uint32_t paletteColours;  // 0: none (24 bits per pixel)
};

// Writes both headers; the palette (4 bytes a colour) and the pixels follow them.
void PutBmpHeaders(ByteWriter& out, const BmpShape& shape);

}  // namespace pxm

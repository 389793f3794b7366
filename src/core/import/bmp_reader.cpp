#include "core/import/bmp_reader.h"

#include <algorithm>

namespace pxm {

namespace {

// The header fields the reader consults: the low words of the width and height of the
// BITMAPINFOHEADER and of its important-colours count, which decides the palette size.
constexpr std::size_t WidthAt = 18;
constexpr std::size_t HeightAt = 22;
constexpr std::size_t ImportantColoursAt = 50;
constexpr std::size_t PaletteEntrySize = 4;  // blue, green, red, reserved

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

// Byte k of the pixel data, 0 past the end of the file (a file that ends early is accepted).
std::uint8_t PixelByte(std::span<const std::uint8_t> pixels, std::size_t k) { return k < pixels.size() ? pixels[k] : 0; }

}  // namespace

BmpReadResult ReadBmp(std::span<const std::uint8_t> file, Canvas& canvas) {
    // Header bytes past the end of a short file would be undefined: refuse it outright.
    if (file.size() < BmpHeaderSize) return {&msg::IncompleteFile, {}};

    const BmpInfo info{Word(file, WidthAt), Word(file, HeightAt), Word(file, ImportantColoursAt)};
    if (info.width > MaxBmpWidth || info.height > MaxBmpHeight) return {&msg::BitmapTooLarge, info};
    if (info.colours != 16 && info.colours != 256) return {&msg::BadColourCount, info};

    const bool fourBit = info.colours == 16;
    const std::size_t stride = fourBit ? 4 * ((info.width + 7u) / 8) : 4 * ((info.width + 3u) / 4);
    const std::size_t pixelStart = BmpHeaderSize + info.colours * PaletteEntrySize;
    const auto pixels = file.subspan(std::min(pixelStart, file.size()));

    canvas.fill(0);
    const int evenWidth = info.width + (info.width & 1);
    for (int k = 0; k < info.height; ++k) {
        const int y = info.height - 1 - k;
        const std::size_t row = static_cast<std::size_t>(k) * stride;
        for (int x = 0; x < evenWidth / 2; ++x) {
            // Of each pair of BMP pixels only one is kept: the right one in 4-bit rows, the left
            // one in 8-bit rows.
            canvas[CanvasIndex(x, y)] = fourBit ? PixelByte(pixels, row + x) & 0x0F
                                                : PixelByte(pixels, row + 2 * static_cast<std::size_t>(x));
        }
    }
    return {nullptr, info};
}

}  // namespace pxm

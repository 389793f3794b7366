#pragma once
// Builds BMP files in memory for tests: a 16- or 256-colour picture from a pixel function, with
// the header fields the tests want to bend.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/palette/c64_palettes.h"

namespace pxm::test {

struct BmpShape {
    int width = 320;
    int height = 200;
    int bitsPerPixel = 4;          // 4 or 8: how the rows are laid out
    int importantColours = -1;     // header field at offset 50; -1: 16 for 4 bits, 256 for 8 bits
    int paletteEntries = -1;       // -1: as many as importantColours says (or 16/256)
    bool topDown = false;          // negative height in the header
    int infoHeaderSize = 40;       // 124: the BITMAPV5HEADER ImageMagick writes (the palette and rows move)
    std::vector<std::uint32_t> palette = {};  // 0xRRGGBB from entry 0 on; empty: pepto, then a grey ramp
};

// pixel(x, y) gives the palette index of BMP pixel x of picture row y (row 0 at the top).
inline std::vector<std::uint8_t> MakeBmp(const BmpShape& shape, const std::function<int(int, int)>& pixel) {
    const int colours = shape.importantColours >= 0 ? shape.importantColours : (shape.bitsPerPixel == 4 ? 16 : 256);
    const int entries = shape.paletteEntries >= 0 ? shape.paletteEntries : (shape.bitsPerPixel == 4 ? 16 : 256);
    const int stride = shape.bitsPerPixel == 4 ? 4 * ((shape.width + 7) / 8) : 4 * ((shape.width + 3) / 4);
    const auto paletteAt = static_cast<std::size_t>(14 + shape.infoHeaderSize);
    const std::uint32_t pixelOffset = static_cast<std::uint32_t>(paletteAt) + 4 * static_cast<std::uint32_t>(entries);
    const std::uint32_t fileSize = pixelOffset + static_cast<std::uint32_t>(stride * shape.height);
    std::vector<std::uint8_t> file(fileSize, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        file[at] = static_cast<std::uint8_t>(v);
        file[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, fileSize);
    put32(10, pixelOffset);
    put32(14, static_cast<std::uint32_t>(shape.infoHeaderSize));
    put32(18, static_cast<std::uint32_t>(shape.width));
    put32(22, static_cast<std::uint32_t>(shape.topDown ? -shape.height : shape.height));
    put16(26, 1);
    put16(28, static_cast<std::uint32_t>(shape.bitsPerPixel));
    put32(34, static_cast<std::uint32_t>(stride * shape.height));
    put32(38, 2835);
    put32(42, 2835);
    put32(46, static_cast<std::uint32_t>(entries));
    put32(50, static_cast<std::uint32_t>(colours));
    // The palette given, or as a paint program for C64 pictures saves it: the C64 colours at their
    // own indexes, then a grey ramp. Only reading by colours looks at it.
    const C64Palette& pepto = C64Palettes[*FindPalette("pepto")];
    for (int i = 0; i < entries; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const Rgb c64 = pepto.colours[k % 16];
        const std::uint32_t fallback = i < 16 ? std::uint32_t{c64.r} << 16 | std::uint32_t{c64.g} << 8 | c64.b
                                              : static_cast<std::uint32_t>(i * 16 & 0xFF) * 0x010101u;
        const std::uint32_t rgb = k < shape.palette.size() ? shape.palette[k] : fallback;
        file[paletteAt + 4 * k] = static_cast<std::uint8_t>(rgb);
        file[paletteAt + 4 * k + 1] = static_cast<std::uint8_t>(rgb >> 8);
        file[paletteAt + 4 * k + 2] = static_cast<std::uint8_t>(rgb >> 16);
    }
    for (int y = 0; y < shape.height; ++y) {
        const int fileRow = shape.topDown ? y : shape.height - 1 - y;
        std::uint8_t* row = file.data() + pixelOffset + static_cast<std::size_t>(fileRow) * stride;
        for (int x = 0; x < shape.width; ++x) {
            const auto v = static_cast<std::uint8_t>(pixel(x, y));
            if (shape.bitsPerPixel == 8) {
                row[x] = v;
            } else if (x % 2 == 0) {
                row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0F) | (v << 4));
            } else {
                row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0) | (v & 0x0F));
            }
        }
    }
    return file;
}

}  // namespace pxm::test

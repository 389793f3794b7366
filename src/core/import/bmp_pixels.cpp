#include "core/import/bmp_pixels.h"

#include <array>

#include "core/base/byte_reader.h"

namespace pxm {

namespace {

constexpr std::size_t PaletteEntrySize = 4;  // blue, green, red, reserved

std::uint8_t ByteOrZero(Bytes bytes, std::size_t at) { return ByteAt(bytes, at).value_or(0); }

}  // namespace

DecodedPicture BmpAsPicture(std::span<const std::uint8_t> file, const BmpInfo& info) {
    std::array<Rgb, 256> palette{};
    for (std::size_t i = 0; i < info.colours; ++i) {
        const std::size_t at = BmpHeaderSize + i * PaletteEntrySize;
        palette[i] = {ByteOrZero(file, at + 2), ByteOrZero(file, at + 1), ByteOrZero(file, at)};
    }
    const bool fourBit = info.colours == 16;
    const std::size_t stride = fourBit ? 4 * ((info.width + 7u) / 8) : 4 * ((info.width + 3u) / 4);
    const std::size_t pixelStart = BmpHeaderSize + info.colours * PaletteEntrySize;

    DecodedPicture picture;
    picture.width = info.width;
    picture.height = info.height;
    picture.indexes.resize(static_cast<std::size_t>(info.width) * info.height);
    picture.rgb.resize(picture.indexes.size());
    for (int y = 0; y < info.height; ++y) {
        // Rows are stored from the bottom.
        const std::size_t row = pixelStart + static_cast<std::size_t>(info.height - 1 - y) * stride;
        for (int x = 0; x < info.width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            const std::uint8_t index = fourBit ? static_cast<std::uint8_t>(ByteOrZero(file, row + ux / 2) >> (x % 2 == 0 ? 4 : 0) & 0x0F)
                                               : ByteOrZero(file, row + ux);
            picture.indexes[picture.At(x, y)] = index;
            picture.rgb[picture.At(x, y)] = palette[index];
        }
    }
    return picture;
}

}  // namespace pxm

#include "core/import/bmp_reader.h"

#include <algorithm>
#include <string_view>

#include "core/base/byte_reader.h"

namespace pxm {

namespace {

// The header fields the reader consults: the low words of the width and height of the
// BITMAPINFOHEADER and of its important-colours count, which decides the palette size; on
// request the file header's signature and the bits per pixel.
constexpr Field Signature{0, 2};
constexpr std::string_view BmpSignature = "BM";
constexpr std::size_t PixelOffsetAt = 10;
constexpr std::size_t InfoHeaderSizeAt = 14;
constexpr std::size_t WidthAt = 18;
constexpr std::size_t HeightAt = 22;
constexpr std::size_t BitsPerPixelAt = 28;
constexpr std::size_t ImportantColoursAt = 50;
static_assert(ImportantColoursAt + 2 <= BmpHeaderSize);
constexpr std::size_t PaletteEntrySize = 4;  // blue, green, red, reserved

bool BitsFitColours(std::uint16_t bitsPerPixel, std::uint16_t colours) {
    return bitsPerPixel == (colours == 16 ? 4 : 8);
}

}  // namespace

Result<BmpInfo, BmpFailure> ReadBmp(std::span<const std::uint8_t> file, Canvas& canvas, BmpHeaderCheck check) {
    // Header bytes past the end of a short file would be undefined: refuse it outright. Every
    // field read below lies inside the header.
    const std::optional<Bytes> header = FieldOf(file, {0, BmpHeaderSize});
    if (!header) return Fail(BmpFailure::Incomplete);
    const bool strict = check == BmpHeaderCheck::SignatureAndDepth;
    const Bytes signature = *FieldOf(*header, Signature);
    if (strict && !std::equal(signature.begin(), signature.end(), BmpSignature.begin(), BmpSignature.end()))
        return Fail(BmpFailure::NoSignature);

    BmpInfo info{*WordAt(*header, WidthAt), *WordAt(*header, HeightAt), *WordAt(*header, ImportantColoursAt)};
    if (info.width > MaxBmpWidth || info.height > MaxBmpHeight) return Fail(BmpFailure::TooLarge);
    if (info.colours != 16 && info.colours != 256) return Fail(BmpFailure::ColourCount);
    if (strict && !BitsFitColours(*WordAt(*header, BitsPerPixelAt), info.colours)) return Fail(BmpFailure::DepthDiffers);
    info.pixelsAt = BmpHeaderSize + info.colours * PaletteEntrySize;
    if (strict) {
        // Where the header says, when it says something a BMP can be: a known info header size
        // and rows after the palette, within the bytes read.
        const std::size_t infoSize = *WordAt(*header, InfoHeaderSizeAt);
        const std::size_t paletteAt = BmpFileHeaderSize + infoSize;
        const std::size_t pixelsAt = *WordAt(*header, PixelOffsetAt);
        const bool small = *WordAt(*header, InfoHeaderSizeAt + 2) == 0 && *WordAt(*header, PixelOffsetAt + 2) == 0;
        if (small && infoSize >= BmpHeaderSize - BmpFileHeaderSize && infoSize <= MaxBmpInfoHeaderSize &&
            pixelsAt >= paletteAt + info.colours * PaletteEntrySize && pixelsAt <= MaxBmpBytes) {
            info.paletteAt = paletteAt;
            info.pixelsAt = pixelsAt;
        }
    }

    const bool fourBit = info.colours == 16;
    const std::size_t stride = fourBit ? 4 * ((info.width + 7u) / 8) : 4 * ((info.width + 3u) / 4);
    const Bytes pixels = file.subspan(std::min(info.pixelsAt, file.size()));

    canvas.fill(0);
    const int evenWidth = info.width + (info.width & 1);
    for (int k = 0; k < info.height; ++k) {
        const int y = info.height - 1 - k;
        const std::size_t row = static_cast<std::size_t>(k) * stride;
        for (int x = 0; x < evenWidth / 2; ++x) {
            // Of each pair of BMP pixels only one is kept: the right one in 4-bit rows, the left
            // one in 8-bit rows. A file that ends early is accepted: the missing pixels are 0.
            const std::size_t at = fourBit ? row + x : row + 2 * static_cast<std::size_t>(x);
            const std::uint8_t value = ByteAt(pixels, at).value_or(0);
            canvas[CanvasIndex(x, y)] = fourBit ? value & 0x0F : value;
        }
    }
    return info;
}

const Message& BmpFailureMessage(BmpFailure failure) {
    switch (failure) {
        case BmpFailure::Incomplete: return msg::IncompleteFile;
        case BmpFailure::TooLarge: return msg::BitmapTooLarge;
        case BmpFailure::NoSignature:
        case BmpFailure::ColourCount:
        case BmpFailure::DepthDiffers: break;
    }
    return msg::BadColourCount;
}

}  // namespace pxm

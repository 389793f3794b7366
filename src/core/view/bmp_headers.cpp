#include "core/view/bmp_headers.h"

namespace pxm {

namespace {

constexpr std::uint32_t PaletteEntrySize = 4;
constexpr std::uint32_t PixelsPerMetre = 2835;  // 72 dots an inch

}  // namespace

void PutBmpHeaders(ByteWriter& out, const BmpShape& shape) {
    const std::uint32_t pixelsAt = BmpFileHeaderSize + BmpInfoHeaderSize + shape.paletteColours * PaletteEntrySize;
    const std::uint32_t pixelBytes = BmpRowBytes(shape.width, shape.bitsPerPixel) * shape.height;
    out.Text("BM").Long(pixelsAt + pixelBytes).Long(0).Long(pixelsAt);
    out.Long(BmpInfoHeaderSize).Long(shape.width).Long(shape.height).Word(1).Word(shape.bitsPerPixel);
    out.Long(0).Long(pixelBytes).Long(PixelsPerMetre).Long(PixelsPerMetre);
    out.Long(shape.paletteColours).Long(shape.paletteColours);  // colours used, colours important
}

}  // namespace pxm

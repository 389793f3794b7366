#include "core/view/rgb_bmp.h"

#include "core/view/bmp_headers.h"

namespace pxm {

namespace {

constexpr std::uint16_t BitsPerPixel = 24;

}  // namespace

std::vector<std::uint8_t> BuildRgbBmp(std::span<const Rgb> pixels, int width, int height) {
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    const std::uint32_t rowBytes = BmpRowBytes(w, BitsPerPixel);
    std::vector<std::uint8_t> bmp;
    bmp.reserve(BmpFileHeaderSize + BmpInfoHeaderSize + rowBytes * h);
    ByteWriter out(bmp);
    PutBmpHeaders(out, {w, h, BitsPerPixel, 0});
    // Rows bottom up, each pixel blue, green, red, each row padded with zero bytes.
    for (std::uint32_t row = h; row-- > 0;) {
        for (const Rgb& pixel : pixels.subspan(row * w, w)) out.Byte(pixel.b).Byte(pixel.g).Byte(pixel.r);
        for (std::uint32_t pad = w * 3; pad < rowBytes; ++pad) out.Byte(0);
    }
    return bmp;
}

}  // namespace pxm

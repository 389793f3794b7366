#include "core/view/picture_bmp.h"

#include <memory>

#include "core/base/byte_writer.h"
#include "core/view/bmp_headers.h"
#include "core/view/preview.h"
#include "core/view/shown_colours.h"

namespace pxm {

namespace {

constexpr std::uint16_t BitsPerPixel = 4;
constexpr std::uint32_t PaletteSize = C64ColourCount * 4;
constexpr std::uint32_t RowBytes = PreviewWidth / 2;  // a multiple of four: no padding
static_assert(RowBytes == BmpRowBytes(PreviewWidth, BitsPerPixel));
constexpr std::uint32_t FileSize = BmpFileHeaderSize + BmpInfoHeaderSize + PaletteSize + RowBytes * PreviewHeight;

}  // namespace

std::vector<std::uint8_t> BuildPictureBmp(const KoalaImage& image, const C64Palette& palette) {
    const auto colours = std::make_unique<ShownColourNumbers>();
    DecodeShownColours(image, *colours);

    std::vector<std::uint8_t> bmp;
    bmp.reserve(FileSize);
    ByteWriter out(bmp);
    PutBmpHeaders(out, {PreviewWidth, PreviewHeight, BitsPerPixel, C64ColourCount});
    for (const Rgb& colour : palette.colours) out.Byte(colour.b).Byte(colour.g).Byte(colour.r).Byte(0);
    // Rows bottom up; each byte holds one double-wide pixel twice.
    for (int row = ShownRows - 1; row >= 0; --row) {
        for (int column = 0; column < ShownColumns; ++column) {
            const std::uint8_t colour = (*colours)[static_cast<std::size_t>(row) * ShownColumns + static_cast<std::size_t>(column)];
            out.Byte(static_cast<std::uint8_t>(colour << 4 | colour));
        }
    }
    return bmp;
}

}  // namespace pxm

#include "core/view/picture_bmp.h"

#include <memory>

#include "core/base/byte_writer.h"
#include "core/view/preview.h"
#include "core/view/shown_colours.h"

namespace pxm {

namespace {

constexpr std::uint32_t FileHeaderSize = 14;
constexpr std::uint32_t InfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint16_t BitsPerPixel = 4;
constexpr std::uint32_t PaletteSize = C64ColourCount * 4;
constexpr std::uint32_t PixelsAt = FileHeaderSize + InfoHeaderSize + PaletteSize;
constexpr std::uint32_t RowBytes = PreviewWidth / 2;  // a multiple of four: no padding
constexpr std::uint32_t PixelBytes = RowBytes * PreviewHeight;
constexpr std::uint32_t PixelsPerMetre = 2835;  // 72 dots an inch

}  // namespace

std::vector<std::uint8_t> BuildPictureBmp(const KoalaImage& image, const C64Palette& palette) {
    const auto colours = std::make_unique<ShownColourNumbers>();
    DecodeShownColours(image, *colours);

    std::vector<std::uint8_t> bmp;
    bmp.reserve(PixelsAt + PixelBytes);
    ByteWriter out(bmp);
    out.Text("BM").Long(PixelsAt + PixelBytes).Long(0).Long(PixelsAt);
    out.Long(InfoHeaderSize).Long(PreviewWidth).Long(PreviewHeight).Word(1).Word(BitsPerPixel);
    out.Long(0).Long(PixelBytes).Long(PixelsPerMetre).Long(PixelsPerMetre);
    out.Long(C64ColourCount).Long(C64ColourCount);  // colours used, colours important
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

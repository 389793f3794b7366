#include "core/view/preview.h"

namespace pxm {

void RenderPreview(const KoalaImage& image, const C64Palette& palette, PreviewPixels& pixels) {
    for (int cell = 0; cell < CellCount; ++cell) {
        const auto n = static_cast<std::size_t>(cell);
        const std::uint8_t screen = image[KoalaScreenOffset + n];
        // Bit pairs 00, 01, 10, 11: background, screen high nibble, screen low nibble, colour memory.
        const std::array<Rgb, 4> shown{palette.colours[image[KoalaBackgroundOffset] & 15u],
                                       palette.colours[screen >> 4], palette.colours[screen & 15u],
                                       palette.colours[image[KoalaColourOffset + n] & 15u]};
        const int left = 8 * (cell % CellColumns);
        const int top = 8 * (cell / CellColumns);
        for (int k = 0; k < 8; ++k) {
            const std::uint8_t bits = image[KoalaBitmapOffset + 8 * n + static_cast<std::size_t>(k)];
            Rgb* row = pixels.data() + static_cast<std::size_t>(top + k) * PreviewWidth + left;
            for (int p = 0; p < 4; ++p) {
                const Rgb colour = shown[(bits >> (6 - 2 * p)) & 3u];
                row[2 * p] = colour;
                row[2 * p + 1] = colour;
            }
        }
    }
}

}  // namespace pxm

#include "core/view/shown_colours.h"

#include <memory>

namespace pxm {

void DecodeShownColours(const KoalaImage& image, ShownColourNumbers& colours) {
    for (int cell = 0; cell < CellCount; ++cell) {
        const auto n = static_cast<std::size_t>(cell);
        const std::uint8_t screen = image[KoalaScreenOffset + n];
        // Bit pairs 00, 01, 10, 11: background, screen high nibble, screen low nibble, colour memory.
        const std::array<std::uint8_t, 4> shown{static_cast<std::uint8_t>(image[KoalaBackgroundOffset] & 15u),
                                                static_cast<std::uint8_t>(screen >> 4),
                                                static_cast<std::uint8_t>(screen & 15u),
                                                static_cast<std::uint8_t>(image[KoalaColourOffset + n] & 15u)};
        const int left = 4 * (cell % CellColumns);
        const int top = 8 * (cell / CellColumns);
        for (int k = 0; k < 8; ++k) {
            const std::uint8_t bits = image[KoalaBitmapOffset + 8 * n + static_cast<std::size_t>(k)];
            std::uint8_t* row = colours.data() + static_cast<std::size_t>(top + k) * ShownColumns + left;
            for (int p = 0; p < 4; ++p) row[p] = shown[(bits >> (6 - 2 * p)) & 3u];
        }
    }
}

std::bitset<C64ColourCount> ColoursUsed(const KoalaImage& image) {
    const auto colours = std::make_unique<ShownColourNumbers>();
    DecodeShownColours(image, *colours);
    std::bitset<C64ColourCount> used;
    for (const std::uint8_t colour : *colours) used.set(colour);
    return used;
}

}  // namespace pxm

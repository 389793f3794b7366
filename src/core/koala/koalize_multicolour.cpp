#include "koala/cell_pixels.h"
#include "koala/koalize.h"

namespace pxm {

KoalizeResult KoalizeMulticolour(const Canvas& canvas, KoalaImage& image, std::uint8_t background) {
    // Slot colours carry over from cell to cell; 16 is no C64 colour, so the first cell finds
    // every slot free.
    std::array<std::uint8_t, 4> slot{0, 16, 16, 16};  // slot[1..3] feed bit pairs 01, 10, 11
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellPixels pixels = GatherCell(canvas, cell);
        std::array<bool, 4> used{};
        int count = 0;

        // Keep the colours the slots already hold, so neighbouring cells share screen bytes.
        for (const std::uint8_t v : pixels) {
            for (int j = 1; j <= 3; ++j) {
                if (!used[j] && slot[j] == v) {
                    used[j] = true;
                    ++count;
                    break;
                }
            }
        }
        // Place the colours no slot holds yet.
        for (const std::uint8_t v : pixels) {
            if (v == background) continue;
            bool known = false;
            for (int j = 1; j <= 3; ++j) known = known || (used[j] && slot[j] == v);
            if (known) continue;
            ++count;
            for (int j = 1; j <= 3; ++j) {
                if (!used[j]) {
                    slot[j] = v;
                    used[j] = true;
                    break;
                }
            }
        }
        if (count > 3) return {.ok = false, .failedCell = cell};

        // Sort positions 1..count by colour, whatever the marks say.
        for (int i = 0; i <= count - 2; ++i) {
            for (int j = 1; j <= count - 1 - i; ++j) {
                if (slot[j] > slot[j + 1]) std::swap(slot[j], slot[j + 1]);
            }
        }

        for (int k = 0; k < 8; ++k) {
            std::uint8_t byte = 0;
            for (int p = 0; p < 4; ++p) {
                const std::uint8_t v = pixels[static_cast<std::size_t>(4 * k + p)];
                const int bits = v == background ? 0 : v == slot[1] ? 1 : v == slot[2] ? 2 : 3;
                byte = static_cast<std::uint8_t>(byte | bits << (6 - 2 * p));
            }
            image[KoalaBitmapOffset + 8 * static_cast<std::size_t>(cell) + k] = byte;
        }
        image[KoalaScreenOffset + cell] = static_cast<std::uint8_t>((slot[1] & 15) << 4 | (slot[2] & 15));
        image[KoalaColourOffset + cell] = slot[3] & 15;
    }
    image[KoalaBackgroundOffset] = background;
    return {};
}

AutoBackgroundResult AutoBackgroundSearch(const Canvas& canvas, KoalaImage& image) {
    AutoBackgroundResult result;
    for (int background = 0; background < 16; ++background) {
        const KoalizeResult attempt = KoalizeMulticolour(canvas, image, static_cast<std::uint8_t>(background));
        if (attempt.ok) {
            result.background = static_cast<std::uint8_t>(background);
            return result;
        }
        if (background == 0 || attempt.failedCell > result.furthest.failedCell) {
            result.furthestBackground = static_cast<std::uint8_t>(background);
            result.furthest = attempt;
        }
    }
    return result;
}

}  // namespace pxm

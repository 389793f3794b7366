#include "core/koala/cell_pixels.h"
#include "core/koala/koalize.h"

#include <algorithm>

namespace pxm {

namespace {

constexpr std::uint8_t Black = 0;
constexpr std::uint8_t White = 1;
constexpr std::uint8_t DarkGrey = 11;
constexpr std::uint8_t MediumGrey = 12;
constexpr std::uint8_t LightGrey = 15;

KoalizeOutcome FailedCell(KoalizeFailure failure, int cell) {
    KoalizeOutcome outcome;
    outcome.failure = failure;
    outcome.failedCell = cell;
    return outcome;
}

KoalizeOutcome ForeignPixel(KoalizeFailure failure, int cell, int pixel) {
    KoalizeOutcome outcome = FailedCell(failure, cell);
    outcome.pixelColumn = 4 * CellColumnOf(cell) + pixel % 4;
    outcome.pixelRow = 8 * CellRowOf(cell) + pixel / 4;
    return outcome;
}

// Encodes the cell's rows with fixed slot colours; stops at the first pixel none of them
// matches, keeping the rows before it. Returns that pixel's number (4 x row + pixel), or -1.
int EncodeCell(const CellPixels& pixels, const std::array<std::uint8_t, 4>& slot, KoalaImage& image, int cell) {
    for (int k = 0; k < 8; ++k) {
        std::uint8_t byte = 0;
        for (int p = 0; p < 4; ++p) {
            const std::uint8_t v = pixels.At(k, p);
            int bits = 0;
            if (v == slot[0]) bits = 0;
            else if (v == slot[1]) bits = 1;
            else if (v == slot[2]) bits = 2;
            else if (v == slot[3]) bits = 3;
            else return 4 * k + p;
            byte = static_cast<std::uint8_t>(byte | bits << (6 - 2 * p));
        }
        image[KoalaBitmapOffset + 8 * static_cast<std::size_t>(cell) + k] = byte;
    }
    return -1;
}

}  // namespace

KoalizeOutcome KoalizeFourGreys(const Canvas& canvas, KoalaImage& image) {
    static constexpr std::array<std::uint8_t, 4> Greys{Black, DarkGrey, MediumGrey, LightGrey};
    for (int cell = 0; cell < CellCount; ++cell) {
        const int foreign = EncodeCell(GatherCell(canvas, cell), Greys, image, cell);
        if (foreign >= 0) return ForeignPixel(KoalizeFailure::NotFourGreys, cell, foreign);
    }
    std::fill_n(image.begin() + KoalaScreenOffset, CellCount, std::uint8_t{DarkGrey << 4 | MediumGrey});
    std::fill_n(image.begin() + KoalaColourOffset, CellCount, LightGrey);
    image[KoalaBackgroundOffset] = Black;
    return {};
}

KoalizeOutcome KoalizeFiveGreys(const Canvas& canvas, KoalaImage& image) {
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellPixels pixels = GatherCell(canvas, cell);
        std::array<std::uint8_t, 4> slot{Black, DarkGrey, MediumGrey, LightGrey};
        std::array<bool, 4> used{};
        bool white = false;
        for (const std::uint8_t v : pixels.byColumn) {
            for (int j = 1; j <= 3; ++j) used[j] = used[j] || v == slot[j];
            white = white || v == White;
        }
        // White takes the first grey slot the cell does not use.
        if (white) {
            int free = 1;
            while (free <= 3 && used[free]) ++free;
            if (free > 3) return FailedCell(KoalizeFailure::WhiteWithAllGreys, cell);
            slot[free] = White;
        }
        const int foreign = EncodeCell(pixels, slot, image, cell);
        if (foreign >= 0) return ForeignPixel(KoalizeFailure::NotFiveGreys, cell, foreign);
        image[KoalaScreenOffset + cell] = static_cast<std::uint8_t>(slot[1] << 4 | slot[2]);
        image[KoalaColourOffset + cell] = slot[3];
    }
    image[KoalaBackgroundOffset] = Black;
    return {};
}

}  // namespace pxm

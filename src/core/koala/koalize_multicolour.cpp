#include <algorithm>
#include <bit>
#include <cstring>

#include "koala/cell_pixels.h"
#include "koala/koalize.h"

namespace pxm {

namespace {

constexpr std::uint8_t StartSlotColour = 16;  // no C64 colour: the first cell finds every slot free

// The set of values one cell holds. Which new colour takes which free slot does not matter
// (the sort over positions 1..N orders them whatever the assignment), so the slot passes need
// only this set, not the pixels in their order.
class ValueSet {
public:
    explicit ValueSet(const CellPixels& pixels) {
        std::uint64_t high = 0;
        for (std::size_t k = 0; k < pixels.byColumn.size(); k += 8) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, pixels.byColumn.data() + k, 8);
            high |= eight & 0xF0F0F0F0F0F0F0F0u;
        }
        if (high == 0) {
            // C64 colours only (every 16-colour file): one word, kept in a register.
            std::uint32_t mask = 0;
            for (const std::uint8_t v : pixels.byColumn) mask |= std::uint32_t{1} << v;
            words_[0] = mask;
            return;
        }
        for (const std::uint8_t v : pixels.byColumn) words_[v >> 6] |= std::uint64_t{1} << (v & 63);
    }
    std::uint32_t Low16() const { return static_cast<std::uint32_t>(words_[0] & 0xFFFF); }
    bool Has(std::uint8_t v) const { return (words_[v >> 6] >> (v & 63)) & 1; }
    void Remove(std::uint8_t v) { words_[v >> 6] &= ~(std::uint64_t{1} << (v & 63)); }
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (std::size_t w = 0; w < words_.size(); ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1)
                visit(static_cast<std::uint8_t>(64 * w + static_cast<std::size_t>(std::countr_zero(bits))));
        }
    }

private:
    std::array<std::uint64_t, 4> words_{};
};

int CountPixels(const CellPixels& pixels, std::uint8_t v) {
    int count = 0;
    for (const std::uint8_t p : pixels.byColumn) count += p == v;
    return count;
}

}  // namespace

KoalizeResult KoalizeMulticolour(const Canvas& canvas, KoalaImage& image, std::uint8_t background) {
    // Slot colours carry over from cell to cell.
    std::array<std::uint8_t, 4> slot{0, StartSlotColour, StartSlotColour, StartSlotColour};  // [1..3]: 01, 10, 11
    std::array<std::uint8_t, 256> code{};
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellPixels pixels = GatherCell(canvas, cell);
        const ValueSet present(pixels);
        std::array<bool, 4> used{};
        int count = 0;

        // Keep the colours the slots already hold, so neighbouring cells share screen bytes: each
        // pixel of a value marks the first unmarked slot holding it. Only the start colour can
        // stand in several slots, so only its pixels need counting.
        ValueSet fresh = present;
        fresh.Remove(background);
        int startColourPixels = present.Has(StartSlotColour) ? -1 : 0;
        for (int j = 1; j <= 3; ++j) {
            if (!present.Has(slot[j])) continue;
            fresh.Remove(slot[j]);
            if (slot[j] == StartSlotColour) {
                if (startColourPixels < 0) startColourPixels = CountPixels(pixels, StartSlotColour);
                if (startColourPixels == 0) continue;
                --startColourPixels;
            }
            used[j] = true;
            ++count;
        }
        // Place the colours no slot holds yet. Beyond three the cell fails whatever the count.
        int free = 1;
        fresh.ForEach([&](std::uint8_t v) {
            if (++count > 3) return;
            while (used[free]) ++free;
            slot[free] = v;
            used[free] = true;
        });
        if (count > 3) return {.ok = false, .failedCell = cell};

        // Sort positions 1..count by colour, whatever the marks say.
        for (int i = 0; i <= count - 2; ++i) {
            for (int j = 1; j <= count - 1 - i; ++j) {
                if (slot[j] > slot[j + 1]) std::swap(slot[j], slot[j + 1]);
            }
        }

        // Every value of the cell is now the background or a slot colour; the first match wins.
        present.ForEach([&](std::uint8_t v) { code[v] = v == background ? 0 : v == slot[1] ? 1 : v == slot[2] ? 2 : 3; });
        // Eight pixel rows at once: one byte a row in each 64-bit word, the codes of a column
        // shifted into their bit pair (codes are at most 3, so no byte spills into the next).
        std::uint64_t rows = 0;
        for (int p = 0; p < 4; ++p) {
            std::uint64_t column = 0;
            for (int k = 0; k < 8; ++k) column |= std::uint64_t{code[pixels.At(k, p)]} << (8 * k);
            rows |= column << (6 - 2 * p);
        }
        std::uint8_t* bitmap = image.data() + KoalaBitmapOffset + 8 * static_cast<std::size_t>(cell);
        for (int k = 0; k < 8; ++k) bitmap[k] = static_cast<std::uint8_t>(rows >> (8 * k));
        image[KoalaScreenOffset + cell] = static_cast<std::uint8_t>((slot[1] & 15) << 4 | (slot[2] & 15));
        image[KoalaColourOffset + cell] = slot[3] & 15;
    }
    image[KoalaBackgroundOffset] = background;
    return {};
}

namespace {

bool HoldsOnlyC64Colours(const Canvas& canvas) {
    std::uint64_t high = 0;
    for (std::size_t k = 0; k + 8 <= canvas.size(); k += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, canvas.data() + k, 8);
        high |= eight & 0xF0F0F0F0F0F0F0F0u;
    }
    return high == 0;
}

int CountBits(std::uint32_t bits) {
    int count = 0;
    for (; bits != 0; bits &= bits - 1) ++count;
    return count;
}

// For C64 colours 0-15 a cell fits background B exactly when it holds at most three colours
// besides B, so one look at every cell's colours tells, for each background, the first cell
// that stops it. -1: no cell does.
std::array<int, 16> FirstFailingCells(const Canvas& canvas) {
    std::array<int, 16> firstFailing;
    firstFailing.fill(-1);
    std::uint32_t stillFitting = 0xFFFF;
    for (int cell = 0; cell < CellCount && stillFitting != 0; ++cell) {
        const ValueSet present(GatherCell(canvas, cell));
        const std::uint32_t colours = present.Low16();
        const int count = CountBits(colours);
        const std::uint32_t fitting = count <= 3 ? 0xFFFF : count == 4 ? colours : 0;
        for (std::uint32_t stopped = stillFitting & ~fitting; stopped != 0; stopped &= stopped - 1)
            firstFailing[static_cast<std::size_t>(std::countr_zero(stopped))] = cell;
        stillFitting &= fitting;
    }
    return firstFailing;
}

}  // namespace

AutoBackgroundResult AutoBackgroundSearch(const Canvas& canvas, KoalaImage& image) {
    AutoBackgroundResult result;
    if (HoldsOnlyC64Colours(canvas)) {
        const std::array<int, 16> firstFailing = FirstFailingCells(canvas);
        for (int background = 0; background < 16; ++background) {
            const auto b = static_cast<std::uint8_t>(background);
            if (firstFailing[b] < 0) {
                result.background = b;
                KoalizeMulticolour(canvas, image, b);
                return result;
            }
            if (firstFailing[b] > result.furthest.failedCell) {
                result.furthestBackground = b;
                result.furthest = {.ok = false, .failedCell = firstFailing[b]};
            }
        }
        // Leave the image as running all sixteen would: each cell as the last attempt that
        // reached it wrote it. Only attempts that got further than every later one show.
        int laterReach = -1;
        std::array<bool, 16> shows{};
        for (int background = 15; background >= 0; --background) {
            shows[static_cast<std::size_t>(background)] = firstFailing[static_cast<std::size_t>(background)] > laterReach;
            laterReach = std::max(laterReach, firstFailing[static_cast<std::size_t>(background)]);
        }
        for (int background = 0; background < 16; ++background) {
            if (shows[static_cast<std::size_t>(background)]) KoalizeMulticolour(canvas, image, static_cast<std::uint8_t>(background));
        }
        return result;
    }
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

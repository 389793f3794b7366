#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

#include "core/koala/cell_pixels.h"
#include "core/koala/koalize.h"

namespace pxm {

namespace {

constexpr std::uint8_t StartSlotColour = 16;  // no C64 colour: the first cell finds every slot free

using Slots = std::array<std::uint8_t, 4>;  // [1..3]: the colours of bit pairs 01, 10, 11
constexpr Slots StartSlots{0, StartSlotColour, StartSlotColour, StartSlotColour};

// The pixels of one double-wide column, row k in byte k.
std::uint64_t ColumnWord(const CellPixels& pixels, int pixel) {
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, pixels.byColumn.data() + 8 * pixel, 8);
    } else {
        for (int row = 0; row < 8; ++row) word |= std::uint64_t{pixels.At(row, pixel)} << (8 * row);
    }
    return word;
}

bool HoldsOnlyC64Colours(const CellPixels& pixels) {
    std::uint64_t all = 0;
    for (int p = 0; p < 4; ++p) all |= ColumnWord(pixels, p);
    return (all & 0xF0F0F0F0F0F0F0F0u) == 0;
}

// For values below 16: columns 0 and 1, then 2 and 3, packed a nibble each into one byte a row
// (the even column in the low nibble).
std::array<std::uint64_t, 2> NibblePairs(const CellPixels& pixels) {
    return {ColumnWord(pixels, 0) | ColumnWord(pixels, 1) << 4, ColumnWord(pixels, 2) | ColumnWord(pixels, 3) << 4};
}

// The colour bits of a byte holding two C64 colours, one in each nibble.
constexpr std::array<std::uint16_t, 256> PairColours = [] {
    std::array<std::uint16_t, 256> table{};
    for (int pair = 0; pair < 256; ++pair) table[static_cast<std::size_t>(pair)] = static_cast<std::uint16_t>(1 << (pair & 15) | 1 << (pair >> 4));
    return table;
}();

// The set of values one cell holds. Which new colour takes which free slot does not matter
// (the sort over positions 1..N orders them whatever the assignment), so the slot passes need
// only this set, not the pixels in their order. With the sixteen-pixel encoding below it took
// BM_KoalizeMulticolourAllSlots from 70 us (pixel by pixel) to 34 us.
class ValueSet {
public:
    explicit ValueSet(const CellPixels& pixels) {
        if (HoldsOnlyC64Colours(pixels)) {
            // Every 16-colour file: one word, kept in a register, filled a pixel pair at a time.
            std::uint32_t mask = 0;
            for (const std::uint64_t word : NibblePairs(pixels)) {
                for (int b = 0; b < 8; ++b) mask |= PairColours[(word >> (8 * b)) & 0xFF];
            }
            words_[0] = mask;
            return;
        }
        for (const std::uint8_t v : pixels.byColumn) words_[v >> 6] |= std::uint64_t{1} << (v & 63);
        usedWords_ = words_.size();
    }
    bool OnlyC64Colours() const { return usedWords_ == 1; }
    std::uint32_t Low16() const { return static_cast<std::uint32_t>(words_[0] & 0xFFFF); }
    bool Has(std::uint8_t v) const { return (words_[v >> 6] >> (v & 63)) & 1; }
    void Remove(std::uint8_t v) { words_[v >> 6] &= ~(std::uint64_t{1} << (v & 63)); }
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (std::size_t w = 0; w < usedWords_; ++w) {
            for (std::uint64_t bits = words_[w]; bits != 0; bits &= bits - 1)
                visit(static_cast<std::uint8_t>(64 * w + static_cast<std::size_t>(std::countr_zero(bits))));
        }
    }

private:
    std::array<std::uint64_t, 4> words_{};
    std::size_t usedWords_ = 1;  // words that can hold a bit
};

constexpr std::uint8_t SlotCode(std::uint8_t v, std::uint8_t background, const Slots& slot) {
    return v == background ? 0 : v == slot[1] ? 1 : v == slot[2] ? 2 : 3;
}

// The cell's bitmap bytes, pixel row k in byte k of the result. Codes are at most 3, so a code
// shifted into its bit pair never spills into the next byte.
std::uint64_t EncodeAnyValues(const CellPixels& pixels, const ValueSet& present, std::uint8_t background,
                              const Slots& slot, std::array<std::uint8_t, 256>& code) {
    present.ForEach([&](std::uint8_t v) { code[v] = SlotCode(v, background, slot); });
    std::uint64_t rows = 0;
    for (int p = 0; p < 4; ++p) {
        std::uint64_t column = 0;
        for (int k = 0; k < 8; ++k) column |= std::uint64_t{code[pixels.At(k, p)]} << (8 * k);
        rows |= column << (6 - 2 * p);
    }
    return rows;
}

// The same for C64 colours only, sixteen pixels at a time: each nibble of the packed pairs that
// equals a colour takes that colour's code (the background's code is 0 and needs no pass).
std::uint64_t EncodeC64Colours(const CellPixels& pixels, const ValueSet& present, std::uint8_t background,
                               const Slots& slot) {
    constexpr std::uint64_t Ones = 0x1111111111111111u;
    constexpr std::uint64_t Low3 = 0x7777777777777777u;
    std::array<std::uint64_t, 2> codes{};
    const std::array<std::uint64_t, 2> pairs = NibblePairs(pixels);
    present.ForEach([&](std::uint8_t v) {
        const std::uint8_t c = SlotCode(v, background, slot);
        if (c == 0) return;
        for (std::size_t w = 0; w < 2; ++w) {
            const std::uint64_t x = pairs[w] ^ (Ones * v);
            const std::uint64_t equal = ~(((x & Low3) + Low3) | x) >> 3 & Ones;  // exact: no carry between nibbles
            codes[w] |= equal * c;
        }
    });
    constexpr std::uint64_t LowNibbles = 0x0F0F0F0F0F0F0F0Fu;
    return (codes[0] & LowNibbles) << 6 | (codes[0] & ~LowNibbles) | (codes[1] & LowNibbles) << 2 |
           (codes[1] & ~LowNibbles) >> 4;
}

int CountPixels(const CellPixels& pixels, std::uint8_t v) {
    int count = 0;
    for (const std::uint8_t p : pixels.byColumn) count += p == v;
    return count;
}

KoalizeOutcome Stopped(KoalizeFailure failure, int cell, std::uint8_t background) {
    KoalizeOutcome outcome;
    outcome.failure = failure;
    outcome.failedCell = cell;
    outcome.failedBackground = background;
    return outcome;
}

KoalizeOutcome Chosen(std::uint8_t background) {
    KoalizeOutcome outcome;
    outcome.autoBackground = background;
    return outcome;
}

// Gives the cell's colours besides the background their slots, as the koalizer does, and sorts
// the slots it uses; false when the cell needs more than three (the slots are then part-way).
bool PlaceColours(const CellPixels& pixels, const ValueSet& present, std::uint8_t background, Slots& slot) {
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
    if (count > 3) return false;

    // Sort positions 1..count by colour, whatever the marks say.
    std::ranges::sort(std::span(slot).subspan(1, static_cast<std::size_t>(count)));
    return true;
}

}  // namespace

KoalizeOutcome KoalizeMulticolour(const Canvas& canvas, KoalaImage& image, std::uint8_t background) {
    Slots slot = StartSlots;  // slot colours carry over from cell to cell
    std::array<std::uint8_t, 256> code{};
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellPixels pixels = GatherCell(canvas, cell);
        const ValueSet present(pixels);
        if (!PlaceColours(pixels, present, background, slot))
            return Stopped(KoalizeFailure::BackgroundDoesNotFit, cell, background);

        // Every value of the cell is now the background or a slot colour; the first match wins.
        const std::uint64_t rows = present.OnlyC64Colours() ? EncodeC64Colours(pixels, present, background, slot)
                                                            : EncodeAnyValues(pixels, present, background, slot, code);
        std::uint8_t* bitmap = image.data() + KoalaBitmapOffset + 8 * static_cast<std::size_t>(cell);
        for (int k = 0; k < 8; ++k) bitmap[k] = static_cast<std::uint8_t>(rows >> (8 * k));
        image[KoalaScreenOffset + cell] = static_cast<std::uint8_t>((slot[1] & 15) << 4 | (slot[2] & 15));
        image[KoalaColourOffset + cell] = slot[3] & 15;
    }
    image[KoalaBackgroundOffset] = background;
    return {};
}

bool HoldsOnlyC64Colours(const Canvas& canvas) {
    std::uint64_t high = 0;
    for (std::size_t k = 0; k + 8 <= canvas.size(); k += 8) {
        std::uint64_t eight = 0;
        std::memcpy(&eight, canvas.data() + k, 8);
        high |= eight & 0xF0F0F0F0F0F0F0F0u;
    }
    return high == 0;
}

// For C64 colours 0-15 a cell fits background B exactly when it holds at most three colours
// besides B, so one look at every cell's colours tells, for each background, the first cell
// that stops it. Measured: BM_AutoBackgroundOnlyLightGrey 42 us instead of 1155 us for sixteen
// koalizations.
std::array<int, 16> FirstFailingCells(const Canvas& canvas) {
    std::array<int, 16> firstFailing;
    firstFailing.fill(-1);
    std::uint32_t stillFitting = 0xFFFF;
    for (int cell = 0; cell < CellCount && stillFitting != 0; ++cell) {
        const ValueSet present(GatherCell(canvas, cell));
        const std::uint32_t colours = present.Low16();
        const int count = std::popcount(colours);
        const std::uint32_t fitting = count <= 3 ? 0xFFFF : count == 4 ? colours : 0;
        for (std::uint32_t stopped = stillFitting & ~fitting; stopped != 0; stopped &= stopped - 1)
            firstFailing[static_cast<std::size_t>(std::countr_zero(stopped))] = cell;
        stillFitting &= fitting;
    }
    return firstFailing;
}

CellSet CellsThatFail(const Canvas& canvas, std::uint8_t background) {
    CellSet failing;
    if (HoldsOnlyC64Colours(canvas)) {
        // As for FirstFailingCells: a cell fails exactly when it holds four colours besides B.
        for (int cell = 0; cell < CellCount; ++cell) {
            const std::uint32_t others = ValueSet(GatherCell(canvas, cell)).Low16() & ~(1u << background);
            failing[static_cast<std::size_t>(cell)] = std::popcount(others) > 3;
        }
        return failing;
    }
    // A value above 15 may meet the start colour in the slots: the koalizer's own placement tells.
    Slots slot = StartSlots;
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellPixels pixels = GatherCell(canvas, cell);
        Slots placed = slot;
        if (PlaceColours(pixels, ValueSet(pixels), background, placed)) slot = placed;
        else failing[static_cast<std::size_t>(cell)] = true;
    }
    return failing;
}

KoalizeOutcome AutoBackgroundSearch(const Canvas& canvas, KoalaImage& image) {
    KoalizeOutcome result = Stopped(KoalizeFailure::NoBackgroundWorks, -1, 0);
    if (HoldsOnlyC64Colours(canvas)) {
        const std::array<int, 16> firstFailing = FirstFailingCells(canvas);
        for (int background = 0; background < 16; ++background) {
            const auto b = static_cast<std::uint8_t>(background);
            if (firstFailing[b] < 0) {
                KoalizeMulticolour(canvas, image, b);
                return Chosen(b);
            }
            if (firstFailing[b] > result.failedCell) {
                result.failedBackground = b;
                result.failedCell = firstFailing[b];
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
        const auto b = static_cast<std::uint8_t>(background);
        const KoalizeOutcome attempt = KoalizeMulticolour(canvas, image, b);
        if (attempt.ok()) return Chosen(b);
        if (background == 0 || attempt.failedCell > result.failedCell) {
            result.failedBackground = b;
            result.failedCell = attempt.failedCell;
        }
    }
    return result;
}

}  // namespace pxm

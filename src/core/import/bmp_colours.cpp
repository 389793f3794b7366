#include "core/import/bmp_colours.h"

#include <algorithm>

#include "core/base/byte_reader.h"

namespace pxm {

namespace {

constexpr std::size_t PaletteEntrySize = 4;  // blue, green, red, reserved

std::uint8_t ByteOrZero(Bytes bytes, std::size_t at) { return ByteAt(bytes, at).value_or(0); }

Rgb PaletteEntry(std::span<const std::uint8_t> file, const BmpInfo& info, std::size_t index) {
    const std::size_t at = info.paletteAt + index * PaletteEntrySize;
    return {ByteOrZero(file, at + 2), ByteOrZero(file, at + 1), ByteOrZero(file, at)};
}

// The canvas columns ReadBmp fills: one per pair of BMP pixels, a lone last pixel making a pair.
int CanvasWidth(const BmpInfo& info) { return (info.width + 1) / 2; }

// The BMP pixel ReadBmp keeps of canvas column x: the right one of a 16-colour pair, the left one
// of a 256-colour pair (the right one of a lone last pixel lies past the row: its left is named).
int FilePixel(const BmpInfo& info, int x) { return std::min(2 * x + (info.colours == 16 ? 1 : 0), info.width - 1); }

}  // namespace

BmpColours UsedBmpColours(std::span<const std::uint8_t> file, const BmpInfo& info, const Canvas& canvas,
                          BmpEntries entries) {
    std::array<std::size_t, 256> pixels{};
    const int width = CanvasWidth(info);
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* column = canvas.data() + CanvasIndex(x, 0);
        for (int y = 0; y < info.height; ++y) ++pixels[column[y]];
    }
    // The first kept pixel of each used index, row by row: most are found in the first rows.
    std::array<int, 256> first{};  // by index: y * 2^16 + x
    std::size_t missing = static_cast<std::size_t>(std::count_if(pixels.begin(), pixels.end(), [](std::size_t n) { return n > 0; }));
    std::array<bool, 256> found{};
    for (int y = 0; y < info.height && missing > 0; ++y) {
        for (int x = 0; x < width && missing > 0; ++x) {
            const std::uint8_t index = canvas[CanvasIndex(x, y)];
            if (found[index]) continue;
            found[index] = true;
            first[index] = y << 16 | x;
            --missing;
        }
    }
    BmpColours used;
    const std::size_t taken = entries == BmpEntries::All ? info.colours : pixels.size();
    for (std::size_t i = 0; i < taken; ++i) {
        const Rgb rgb = PaletteEntry(file, info, i);
        // Unused black entries are the filling paint programs pad a palette with.
        if (pixels[i] == 0 && (entries == BmpEntries::Used || rgb == Rgb{})) continue;
        used.used[i] = pixels[i] > 0;
        const auto same = std::find_if(used.colours.begin(), used.colours.end(), [&](const ColourAt& c) { return c.rgb == rgb; });
        const int y = pixels[i] > 0 ? first[i] >> 16 : 0;
        const int x = pixels[i] > 0 ? FilePixel(info, first[i] & 0xFFFF) : 0;
        if (same == used.colours.end()) {
            used.colourOf[i] = static_cast<std::uint8_t>(used.colours.size());  // at most 256 colours
            used.colours.push_back({rgb, x, y, pixels[i]});
            continue;
        }
        used.colourOf[i] = static_cast<std::uint8_t>(same - used.colours.begin());
        same->pixels += pixels[i];
        if (pixels[i] > 0 && (same->pixels == pixels[i] || y < same->y || (y == same->y && x < same->x)))
            same->x = x, same->y = y;
    }
    return used;
}

BmpIndexes UsedIndexes(const BmpInfo& info, const Canvas& canvas) {
    BmpIndexes used{};
    for (int x = 0; x < CanvasWidth(info); ++x) {
        const std::uint8_t* column = canvas.data() + CanvasIndex(x, 0);
        for (int y = 0; y < info.height; ++y) used[column[y]] = true;
    }
    return used;
}

std::optional<std::size_t> ExactAtOwnIndexes(std::span<const std::uint8_t> file, const BmpInfo& info,
                                             const BmpIndexes& used) {
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        const auto& own = C64Palettes[p].colours;
        bool exact = true;
        for (std::size_t i = 0; i < used.size() && exact; ++i)
            exact = !used[i] || (i < own.size() && PaletteEntry(file, info, i) == own[i]);
        if (exact) return p;
    }
    return std::nullopt;
}

bool AtOwnIndexes(const BmpColours& used, const PaletteMatch& match) {
    for (std::size_t i = 0; i < used.used.size(); ++i) {
        if (used.used[i] && match.numberOf[used.colourOf[i]] != i) return false;
    }
    return true;
}

BmpJudgement JudgeBmpColours(std::span<const std::uint8_t> file, const BmpInfo& info, const Canvas& canvas,
                             const std::optional<PaletteChoice>& choice) {
    BmpJudgement judged;
    if (choice) {
        judged.colours = UsedBmpColours(file, info, canvas);
        judged.match = MatchColours(judged.colours.colours, *choice);
        judged.reading = judged.match.refusal == ColourRefusal::None ? BmpJudgement::Reading::ByColour
                                                                      : BmpJudgement::Reading::Refused;
        return judged;
    }
    // A 16-colour palette that is a listed one in order needs no look at the pixels.
    BmpIndexes all{};
    std::fill_n(all.begin(), info.colours, true);
    if (ExactAtOwnIndexes(file, info, all) || ExactAtOwnIndexes(file, info, UsedIndexes(info, canvas))) return judged;
    judged.colours = UsedBmpColours(file, info, canvas, BmpEntries::All);
    judged.match = MatchColours(judged.colours.colours, {});
    if (judged.match.refusal == ColourRefusal::None) {
        if (!AtOwnIndexes(judged.colours, judged.match)) judged.reading = BmpJudgement::Reading::ByColour;
        return judged;
    }
    // One colour that pixels have keeps the palette from fitting: without it, do the others hold
    // C64 colours out of their order?
    const std::vector<ColourAt>& colours = judged.colours.colours;
    const auto refused = std::find_if(colours.begin(), colours.end(), [&](const ColourAt& c) {
        return c.rgb == judged.match.colour.rgb;
    });
    const bool named = judged.match.refusal == ColourRefusal::UnknownColour ||
                       judged.match.refusal == ColourRefusal::SharedEntry;
    if (!named || refused == colours.end() || refused->pixels == 0) return judged;
    BmpColours others = judged.colours;
    const auto left = static_cast<std::uint8_t>(refused - colours.begin());
    others.colours.erase(others.colours.begin() + left);
    for (std::size_t i = 0; i < others.colourOf.size(); ++i) {
        if (others.colourOf[i] > left) --others.colourOf[i];
        if (judged.colours.colourOf[i] == left) others.used[i] = false;
    }
    const PaletteMatch rest = MatchColours(others.colours, {});
    if (rest.refusal == ColourRefusal::None && !AtOwnIndexes(others, rest)) judged.reading = BmpJudgement::Reading::Refused;
    return judged;
}

void NumbersByColour(Canvas& canvas, const BmpInfo& info, const BmpColours& used, const PaletteMatch& match) {
    std::array<std::uint8_t, 256> number{};
    for (std::size_t i = 0; i < used.used.size(); ++i) {
        if (used.used[i]) number[i] = match.numberOf[used.colourOf[i]];
    }
    for (int x = 0; x < CanvasWidth(info); ++x) {
        for (int y = 0; y < info.height; ++y) canvas[CanvasIndex(x, y)] = number[canvas[CanvasIndex(x, y)]];
    }
}

}  // namespace pxm

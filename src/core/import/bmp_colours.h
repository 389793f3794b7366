#pragma once
// A BMP's colours judged from the palette entries its kept pixels use (at most 256), not pixel by
// pixel: whether they are C64 colours at their own indexes, C64 colours in another order (then the
// converter reads the BMP by its colours), or no C64 palette at all. Which pixels are read never
// changes: every second pixel of a row, as ReadBmp keeps it.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/import/bmp_reader.h"
#include "core/import/canvas.h"
#include "core/import/palette_match.h"

namespace pxm {

using BmpIndexes = std::array<bool, 256>;  // by palette index: a kept pixel has it

struct BmpColours {
    // The distinct colours of the entries taken, each with the first kept pixel that has it (file
    // coordinates, rows from the top) and how many kept pixels have it (0: an entry no pixel uses).
    std::vector<ColourAt> colours;
    std::array<std::uint8_t, 256> colourOf{};  // by palette index: its colour's position in colours (entries taken)
    BmpIndexes used{};  // the indexes kept pixels have
};

// Which entries' colours are taken: the used ones, or every entry of the palette but unused black
// ones, the filling a paint program pads a palette with (whether the palette as a whole is a C64
// palette: a PC's standard palette has C64-like colours, but not all).
enum class BmpEntries { Used, All };

// file, info: as ReadBmp took them; canvas: the indexes ReadBmp placed on it.
BmpColours UsedBmpColours(std::span<const std::uint8_t> file, const BmpInfo& info, const Canvas& canvas,
                          BmpEntries entries = BmpEntries::Used);

// The palette indexes the kept pixels use: one look at each, no more.
BmpIndexes UsedIndexes(const BmpInfo& info, const Canvas& canvas);

// The listed palette whose colours the used entries are exactly, each at its own index (the
// plain C64 BMP, told without matching); none when there is no such palette.
std::optional<std::size_t> ExactAtOwnIndexes(std::span<const std::uint8_t> file, const BmpInfo& info,
                                             const BmpIndexes& used);

// The colours matched (MatchColours) give each used entry its own index as its colour number.
bool AtOwnIndexes(const BmpColours& used, const PaletteMatch& match);

// How a BMP is read. Asked for a palette (Auto or Named): by the used entries' colours, or
// refused with the colour that does not belong. Otherwise by its indexes, as the Windows program
// reads it, when the used entries are the C64 colours at their own indexes or the palette is no
// C64 palette at all (a PC's standard palette); by its colours when the palette as a whole holds
// C64 colours of any palette in another order; refused when it would be that but for a colour a
// pixel has (read by its indexes, it would come out in scrambled colours).
struct BmpJudgement {
    enum class Reading { ByIndex, ByColour, Refused };
    Reading reading = Reading::ByIndex;
    PaletteMatch match;  // ByColour: the palette and each colour's number; Refused: the colour refused
    BmpColours colours;  // ByColour: the colours matched
};

// choice: none (the default) or Auto or Named.
BmpJudgement JudgeBmpColours(std::span<const std::uint8_t> file, const BmpInfo& info, const Canvas& canvas,
                             const std::optional<PaletteChoice>& choice);

// The canvas's indexes become the colour numbers the match gave their colours; beyond the
// picture the canvas stays 0.
void NumbersByColour(Canvas& canvas, const BmpInfo& info, const BmpColours& used, const PaletteMatch& match);

}  // namespace pxm

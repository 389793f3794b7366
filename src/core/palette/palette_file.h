#pragma once
// A palette of one's own from a text file: a GIMP palette (.gpl), a VICE palette (.vpl) or a
// plain list of hex colours, each holding the sixteen C64 colours in the C64's order. The file's
// kind is told by its content, not its name.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/base/result.h"
#include "core/palette/rgb.h"

namespace pxm {

enum class PaletteFileKind {
    Gimp,     // "GIMP Palette", then "R G B name" in decimal
    Vice,     // "RR GG BB dither" in hex
    HexList,  // "#RRGGBB" or "RRGGBB", one a line
};

// A palette file larger than this is no palette.
inline constexpr std::size_t MaxPaletteFileBytes = 64 * 1024;

struct PaletteFileFailure {
    enum class Kind {
        NoColours,   // no colour line at all (empty, or comments only)
        BadLine,     // a line that is not a colour of the file's kind: see line, text
        WrongCount,  // not sixteen colours: see colours
    };
    Kind kind = Kind::NoColours;
    PaletteFileKind fileKind = PaletteFileKind::HexList;  // BadLine, WrongCount: as the file began
    std::size_t line = 0;                                 // BadLine: counted from 1
    std::string text;                                     // BadLine: the line, cut short
    std::size_t colours = 0;                              // WrongCount
};

Result<std::array<Rgb, 16>, PaletteFileFailure> ReadPaletteFile(std::span<const std::uint8_t> file);

}  // namespace pxm

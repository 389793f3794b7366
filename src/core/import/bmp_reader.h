#pragma once
// Reads a 16- or 256-colour BMP from its bytes into the Canvas. Palette indexes are taken as
// C64 colour numbers; only width, height and the important-colours count are consulted.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/import/canvas.h"
#include "core/text/messages.h"

namespace pxm {

inline constexpr std::size_t BmpHeaderSize = 54;
inline constexpr int MaxBmpWidth = 320;
inline constexpr int MaxBmpHeight = 200;
// Most bytes the reader can ever look at: header, a 256-entry palette and 256-colour rows.
inline constexpr std::size_t MaxBmpBytes = BmpHeaderSize + 256 * 4 + 320 * 200;

struct BmpInfo {
    std::uint16_t width = 0;   // as stored, not made even
    std::uint16_t height = 0;
    std::uint16_t colours = 0;  // 16 or 256
};

struct BmpReadResult {
    const Message* error = nullptr;  // null on success
    BmpInfo info;
    bool ok() const { return error == nullptr; }
};

// Bytes of the file from its start (a prefix of at least MaxBmpBytes bytes is enough). On
// failure the canvas is left exactly as it was.
BmpReadResult ReadBmp(std::span<const std::uint8_t> file, Canvas& canvas);

}  // namespace pxm

#pragma once
// Reads a 16- or 256-colour BMP from its bytes into the Canvas. Palette indexes are taken as
// C64 colour numbers; only width, height and the important-colours count are consulted, and on
// request the "BM" signature and the bits per pixel.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/base/result.h"
#include "core/import/canvas.h"
#include "core/text/messages.h"

namespace pxm {

inline constexpr std::size_t BmpHeaderSize = 54;
inline constexpr std::size_t BmpFileHeaderSize = 14;
// The largest info header (BITMAPV5HEADER, as ImageMagick writes it).
inline constexpr std::size_t MaxBmpInfoHeaderSize = 124;
inline constexpr int MaxBmpWidth = 320;
inline constexpr int MaxBmpHeight = 200;
// Most bytes the reader can ever look at: headers, a 256-entry palette and 256-colour rows.
inline constexpr std::size_t MaxBmpBytes = BmpFileHeaderSize + MaxBmpInfoHeaderSize + 256 * 4 + 320 * 200;

struct BmpInfo {
    std::uint16_t width = 0;   // as stored, not made even
    std::uint16_t height = 0;
    std::uint16_t colours = 0;  // 16 or 256
    std::size_t paletteAt = BmpHeaderSize;  // where the palette starts
    std::size_t pixelsAt = 0;               // where the rows start
};

enum class BmpFailure {
    Incomplete,     // shorter than the header
    NoSignature,    // no "BM" at the start
    TooLarge,       // wider than 320 or higher than 200 pixels
    ColourCount,    // an important-colours count other than 16 or 256
    DepthDiffers,   // bits per pixel other than 4 for 16 colours or 8 for 256
};

// What the reader checks besides the size and the colour count. The fields alone is how the
// BMP reader has always read: any file whose three fields fit is taken, its palette and rows
// where a 40-byte info header puts them. The converter's check also takes them where the file's
// header size and pixel offset say (a larger header, as ImageMagick writes, moves both).
enum class BmpHeaderCheck { FieldsOnly, SignatureAndDepth };

// Bytes of the file from its start (a prefix of at least MaxBmpBytes bytes is enough). On
// failure the canvas is left exactly as it was.
Result<BmpInfo, BmpFailure> ReadBmp(std::span<const std::uint8_t> file, Canvas& canvas,
                                    BmpHeaderCheck check = BmpHeaderCheck::FieldsOnly);

// The message box for a failure: a file that is no 16- or 256-colour BMP gets the colour-count
// message, which says what is taken.
const Message& BmpFailureMessage(BmpFailure failure);

}  // namespace pxm

#pragma once
// An input file's bytes as read: at most as many as the BMP reader can ever look at, and for a
// PNG, GIF or JPEG (told by its first bytes) and for a file of no picture signature (a C64
// file: PRG, P00, TAP or D64 image, told later by its content) at most the limit asked
// (MaxEncodedPictureBytes, or MaxScalableFileBytes for --nearest).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/import/picture_kind.h"
#include "lib/reading/picture_decoder.h"

namespace pxm {

// A PNG, GIF or JPEG of 384x272 pixels, even uncompressed with 16-bit colours, alpha and chunks of
// its paint program's notes, stays far below this; a longer one is refused.
inline constexpr std::size_t MaxEncodedPictureBytes = 4 << 20;

// A PNG, GIF or JPEG with --nearest may be this long: a camera's 24 megapixels of photograph
// take about 50 MB as a PNG. The file is the most memory a large picture takes (it is brought
// down as it is decoded); a picture that needs no scaling stays within MaxEncodedPictureBytes.
inline constexpr std::size_t MaxScalableFileBytes = std::size_t{64} << 20;

// Pixels decoded already (by a browser, say): 8-bit RGBA, sRGB, rows `stride` bytes apart. They
// are converted as a PNG of them is.
struct RgbaPixels {
    std::span<const std::uint8_t> rgba;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

struct InputFile {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;  // a PNG, GIF or JPEG longer than the limit
    std::optional<RgbaPixels> pixels;  // instead of the bytes
};

// The kind of picture the input holds: a PNG for pixels.
PictureKind KindOfInput(const InputFile& input);

// The input's picture through its kind's decoder, or its pixels taken as that decoder gives them.
DecodeOutcome DecodeInput(const InputFile& input, PictureKind kind, SizesTaken sizes = SizesTaken::C64Picture);

// The file's bytes as the conversion takes them, read up to one byte past the limit (so that a
// file that is too long is told from one that just fits): a BMP no further than the reader can
// ever look; the encoded kinds and the C64 files (no picture signature) whole up to
// maxEncodedBytes, an encoded picture beyond it marked too large.
InputFile TakeInput(std::vector<std::uint8_t> bytes, std::size_t maxEncodedBytes);

// How long an encoded picture or C64 file may be with these options.
inline std::size_t MaxInputBytes(bool nearest) { return nearest ? MaxScalableFileBytes : MaxEncodedPictureBytes; }

}  // namespace pxm

#pragma once
// The converter's decoders for PNG and GIF: bytes in, a decoded picture out. Here they are
// libpng and giflib; a Windows build of the converter can put the Windows Imaging Component
// behind the same two functions. Everything after decoding is the core's (core/import).
#include <cstdint>
#include <span>
#include <string>

#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm::cli {

// The sizes a decoder takes: those a C64 picture comes in (up to 320x200, 384x272 screenshots),
// or, for --nearest, which scales, any of up to MaxScalablePixels (a 24-megapixel camera's
// 6000x4000 and its kin; decoded, 75 MB of RGB and as much again of indexes at most).
enum class SizesTaken { C64Picture, Scalable };
inline constexpr long long MaxScalablePixels = 25'000'000;
inline constexpr int MaxScalableSide = 65535;

inline bool Takes(SizesTaken sizes, int width, int height) {
    if (sizes == SizesTaken::C64Picture) return AcceptedArea(width, height).has_value();
    return width >= 1 && height >= 1 && width <= MaxScalableSide && height <= MaxScalableSide &&
           static_cast<long long>(width) * height <= MaxScalablePixels;
}

struct DecodeOutcome {
    enum class Status { Decoded, SizeRefused, Unreadable };
    Status status = Status::Unreadable;
    // Decoded: the picture. SizeRefused: only width and height, as the file declares them; the
    // pixels of a picture of a size that is not taken are never decoded.
    DecodedPicture picture;
    std::string reason;  // Unreadable: the library's words
};

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The first frame; pixels of the logical screen that it leaves uncovered show the background
// colour. Transparency is ignored, as a PNG's alpha is.
DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);

}  // namespace pxm::cli

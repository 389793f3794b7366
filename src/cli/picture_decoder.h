#pragma once
// The converter's decoders for PNG, GIF and JPEG: bytes in, a decoded picture out. On Linux they
// are libpng, giflib and libjpeg-turbo (cli/posix/), on Windows the Windows Imaging Component
// (cli/windows/), which first refuses a size that is not taken from the file's header. Putting a
// GIF's frame on its screen and everything after decoding is the core's (core/import).
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/import/box_reduction.h"
#include "core/import/decoded_picture.h"
#include "core/import/gif_frame.h"
#include "core/import/orientation.h"
#include "core/import/picture_area.h"
#include "core/import/picture_kind.h"

namespace pxm::cli {

// The sizes a decoder takes: those a C64 picture comes in (up to 320x200, 384x272 screenshots),
// or, for --nearest, any of up to MaxScalableSide each way. A picture of more than MaxWholePixels
// is not held whole (core/import/box_reduction.h): Scalable, placed unscaled, keeps its top left
// (DecodeOutcome::cut); ScaledDown, to be scaled down to the screen, is brought down as it is
// decoded, a JPEG by libjpeg-turbo, any other by blocks (see DecodeOutcome::reduction).
enum class SizesTaken { C64Picture, Scalable, ScaledDown };
inline constexpr int MaxScalableSide = 65535;
// The working memory a JPEG decoder may take for --nearest: a baseline JPEG of any size needs a
// few rows, a progressive one 2 to 6 bytes a pixel (so 16 to 48 megapixels).
inline constexpr long MaxProgressiveJpegBytes = 96L << 20;

inline bool Takes(SizesTaken sizes, int width, int height) {
    if (sizes == SizesTaken::C64Picture) return AcceptedArea(width, height).has_value();
    return width >= 1 && height >= 1 && width <= MaxScalableSide && height <= MaxScalableSide;
}

// What a decoder fills with a picture's rows as they come instead of holding it whole; none for
// a picture decoded whole. width, height: as stored; the part kept of one placed unscaled
// (Scalable) is what shows as the top left once it is turned as orientation says.
std::optional<BoxReduction> RowReductionFor(SizesTaken sizes, int width, int height,
                                            Orientation orientation = Orientation::Upright);

// A JPEG's size before its EXIF orientation is known: taken as stored or turned a quarter.
inline bool TakesTurnedEitherWay(SizesTaken sizes, int width, int height) {
    return Takes(sizes, width, height) || Takes(sizes, height, width);
}

struct DecodeOutcome {
    // CmykRefused: a JPEG in print colours (CMYK or YCCK), which no C64 picture is saved in.
    // MemoryRefused: a progressive JPEG so large that its coefficients, every one of which it
    // keeps, need more than MaxProgressiveJpegBytes.
    enum class Status { Decoded, SizeRefused, Unreadable, CmykRefused, MemoryRefused };
    Status status = Status::Unreadable;
    // Decoded: the picture. SizeRefused: only width and height, as the file declares them; the
    // pixels of a picture of a size that is not taken are never decoded.
    DecodedPicture picture;
    std::string reason;  // Unreadable: the library's words
    // Decoded: how many of the file's pixels across and down each of the picture's pixels stands
    // for (its size is the file's divided by them, rounded up): 1 by 1, or with
    // SizesTaken::ScaledDown a JPEG's 2, 4 or 8 each way (still at least the screen's size) or a
    // large picture's BoxFactorsFor.
    BoxFactors reduction;
    // Decoded with SizesTaken::Scalable: the picture is the top left of a larger one.
    bool cut = false;
};

// The outcome of a picture whose rows all went into the reduction.
void FinishRowReduction(const BoxReduction& reduction, DecodeOutcome& outcome);

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The first frame; pixels of the logical screen that it leaves uncovered show the background
// colour. Transparency is ignored, as a PNG's alpha is.
DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// Baseline, progressive or greyscale, as RGB, turned as its EXIF orientation says (the size is
// the size shown). The size its frame header declares is checked before any pixel is decoded;
// damaged data is unreadable, not shown grey. For Scalable sizes a large JPEG may come out
// smaller than it is, by 1/2, 1/4 or 1/8 (see DecodeOutcome::reduction).
DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);

// The decoder of the kind given (PNG's for any kind that has none).
inline DecodeOutcome DecodeOfKind(PictureKind kind, std::span<const std::uint8_t> file,
                                  SizesTaken sizes = SizesTaken::C64Picture) {
    switch (kind) {
        case PictureKind::Gif: return DecodeGif(file, sizes);
        case PictureKind::Jpeg: return DecodeJpeg(file, sizes);
        case PictureKind::Png:
        case PictureKind::Bmp:
        case PictureKind::Unknown: break;
    }
    return DecodePng(file, sizes);
}

// The converter's words for a GIF frame that cannot be put on its screen.
std::string GifFrameErrorText(GifFrameError error);

}  // namespace pxm::cli

#pragma once
// The converter's decoders for PNG, GIF, JPEG, WebP, TIFF, HEIC and AVIF: bytes in, a decoded
// picture out. On Linux they are libpng, giflib, libjpeg-turbo, libwebp, libtiff and libheif
// (cli/posix/), on Windows the Windows Imaging Component (cli/windows/), which first refuses a
// size that is not taken from the file's header, and has WebP and HEIF only with their codecs. Putting a
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

namespace pxm {

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

// WebP, TIFF, HEIC and AVIF are decoded whole, their libraries giving the whole picture at once:
// for --nearest up to this many pixels (a 24-megapixel camera's photograph), about 4 bytes each.
inline constexpr long long MaxWholeDecodedPixels = 25'000'000;

inline bool DecodedWhole(PictureKind kind) {
    return kind == PictureKind::Webp || kind == PictureKind::Tiff || kind == PictureKind::Heic ||
           kind == PictureKind::Avif;
}
inline bool DecodedWholeFits(int width, int height) {
    return static_cast<long long>(width) * height <= MaxWholeDecodedPixels;
}

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
    // CodecMissing: Windows has no codec for the kind (WebP, HEIC, AVIF), or libheif is missing.
    // MemoryRefused: a progressive JPEG so large that its coefficients, every one of which it
    // keeps, need more than MaxProgressiveJpegBytes, or a picture decoded whole larger than
    // MaxWholeDecodedPixels.
    enum class Status { Decoded, SizeRefused, Unreadable, CodecMissing, MemoryRefused };
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
    // Decoded: a JPEG in print colours (CMYK or YCCK), shown in RGB. No C64 picture is saved so:
    // only --nearest takes it.
    bool printColours = false;
};

// Of a picture decoded whole, by its size alone: SizeRefused for a size not taken, MemoryRefused
// past MaxWholeDecodedPixels, none for one to decode.
inline std::optional<DecodeOutcome::Status> WholeSizeRefused(SizesTaken sizes, int width, int height) {
    if (!Takes(sizes, width, height)) return DecodeOutcome::Status::SizeRefused;
    if (!DecodedWholeFits(width, height)) return DecodeOutcome::Status::MemoryRefused;
    return std::nullopt;
}

// The outcome of a picture whose rows all went into the reduction.
void FinishRowReduction(const BoxReduction& reduction, DecodeOutcome& outcome);

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The first frame; pixels of the logical screen that it leaves uncovered show the background
// colour. Transparency is ignored, as a PNG's alpha is.
DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// Baseline, progressive, greyscale or CMYK (see DecodeOutcome::printColours), as RGB, turned as its EXIF orientation says (the size is
// the size shown). The size its frame header declares is checked before any pixel is decoded;
// damaged data is unreadable, not shown grey. For Scalable sizes a large JPEG may come out
// smaller than it is, by 1/2, 1/4 or 1/8 (see DecodeOutcome::reduction).
DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The first frame of an animation; alpha as a PNG's.
DecodeOutcome DecodeWebp(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The first page, as RGB and alpha whatever its samples; 16 bits a sample scaled to 8.
DecodeOutcome DecodeTiff(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);
// The primary picture of a HEIC or AVIF file, turned as the file says; alpha as a PNG's.
DecodeOutcome DecodeHeif(std::span<const std::uint8_t> file, SizesTaken sizes = SizesTaken::C64Picture);

// The decoder of the kind given (PNG's for any kind that has none).
inline DecodeOutcome DecodeOfKind(PictureKind kind, std::span<const std::uint8_t> file,
                                  SizesTaken sizes = SizesTaken::C64Picture) {
    switch (kind) {
        case PictureKind::Gif: return DecodeGif(file, sizes);
        case PictureKind::Jpeg: return DecodeJpeg(file, sizes);
        case PictureKind::Webp: return DecodeWebp(file, sizes);
        case PictureKind::Tiff: return DecodeTiff(file, sizes);
        case PictureKind::Heic:
        case PictureKind::Avif: return DecodeHeif(file, sizes);
        case PictureKind::Png:
        case PictureKind::Bmp:
        case PictureKind::Unknown: break;
    }
    return DecodePng(file, sizes);
}

// The converter's words for a GIF frame that cannot be put on its screen.
std::string GifFrameErrorText(GifFrameError error);

}  // namespace pxm

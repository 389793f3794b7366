#pragma once
// The converter's decoders for PNG, GIF, JPEG, WebP, TIFF, HEIC and AVIF: bytes in, a decoded
// picture out. On Linux they are libpng, giflib, libjpeg-turbo, libwebp, libtiff and libheif
// (cli/posix/), on Windows the Windows Imaging Component (cli/windows/), which first refuses a
// size that is not taken from the file's header, and has WebP and HEIF only with their codecs. Putting a
// GIF's frame on its screen and everything after decoding is the core's (core/import).
#include <cstdint>
#include <span>
#include <string>

#include "core/import/decoded_picture.h"
#include "core/import/gif_frame.h"
#include "core/import/picture_area.h"
#include "core/import/picture_kind.h"

namespace pxm::cli {

// The sizes a decoder takes: those a C64 picture comes in (up to 320x200, 384x272 screenshots),
// or, for --nearest, which scales, any of up to MaxScalablePixels (a 24-megapixel camera's
// 6000x4000 and its kin; decoded, 75 MB of RGB and as much again of indexes at most).
// ScaledDown: as Scalable, for a picture that will be scaled down to the screen; a JPEG decoder
// may then hand it over smaller (see DecodeOutcome::reduction).
enum class SizesTaken { C64Picture, Scalable, ScaledDown };
inline constexpr long long MaxScalablePixels = 25'000'000;
inline constexpr int MaxScalableSide = 65535;

inline bool Takes(SizesTaken sizes, int width, int height) {
    if (sizes == SizesTaken::C64Picture) return AcceptedArea(width, height).has_value();
    return width >= 1 && height >= 1 && width <= MaxScalableSide && height <= MaxScalableSide &&
           static_cast<long long>(width) * height <= MaxScalablePixels;
}

// A JPEG's size before its EXIF orientation is known: taken as stored or turned a quarter.
inline bool TakesTurnedEitherWay(SizesTaken sizes, int width, int height) {
    return Takes(sizes, width, height) || Takes(sizes, height, width);
}

struct DecodeOutcome {
    // CodecMissing: Windows has no codec for the kind (WebP, HEIC, AVIF), or libheif is missing.
    enum class Status { Decoded, SizeRefused, Unreadable, CodecMissing };
    Status status = Status::Unreadable;
    // Decoded: the picture. SizeRefused: only width and height, as the file declares them; the
    // pixels of a picture of a size that is not taken are never decoded.
    DecodedPicture picture;
    std::string reason;  // Unreadable: the library's words
    // Decoded: the picture is 1/reduction of the file's size (rounded up) each way: 1, or with
    // SizesTaken::ScaledDown 2, 4 or 8 for a JPEG still at least the screen's size.
    int reduction = 1;
    // Decoded: a JPEG in print colours (CMYK or YCCK), shown in RGB. No C64 picture is saved so:
    // only --nearest takes it.
    bool printColours = false;
};

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

}  // namespace pxm::cli

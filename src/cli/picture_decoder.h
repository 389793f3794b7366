#pragma once
// The converter's decoders for PNG, GIF and JPEG: bytes in, a decoded picture out. On Linux they
// are libpng, giflib and libjpeg-turbo (cli/posix/), on Windows the Windows Imaging Component
// (cli/windows/), which first refuses a size that is not taken from the file's header. Putting a
// GIF's frame on its screen and everything after decoding is the core's (core/import).
#include <cstdint>
#include <span>
#include <string>

#include "core/import/decoded_picture.h"
#include "core/import/gif_frame.h"

namespace pxm::cli {

struct DecodeOutcome {
    // CmykRefused: a JPEG in print colours (CMYK or YCCK), which no C64 picture is saved in.
    enum class Status { Decoded, SizeRefused, Unreadable, CmykRefused };
    Status status = Status::Unreadable;
    // Decoded: the picture. SizeRefused: only width and height, as the file declares them; the
    // pixels of a picture of a size that is not taken are never decoded.
    DecodedPicture picture;
    std::string reason;  // Unreadable: the library's words
};

DecodeOutcome DecodePng(std::span<const std::uint8_t> file);
// The first frame; pixels of the logical screen that it leaves uncovered show the background
// colour. Transparency is ignored, as a PNG's alpha is.
DecodeOutcome DecodeGif(std::span<const std::uint8_t> file);
// Baseline, progressive or greyscale, as RGB. The size its frame header declares is checked
// before any pixel is decoded; damaged data is unreadable, not shown grey.
DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file);

// The converter's words for a GIF frame that cannot be put on its screen.
std::string GifFrameErrorText(GifFrameError error);

}  // namespace pxm::cli

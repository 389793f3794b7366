#pragma once
// What the converter tells a C64 artist when a picture file cannot become a picture: a message,
// and a line naming the pixels in the file's own coordinates (x from the left, y from the top,
// a screenshot's border included); and whether --nearest makes a picture of the file.
#include <string>
#include <string_view>

#include "core/import/decoded_picture.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"

namespace pxm {

struct Refusal {
    std::string text;
    std::string detail;           // empty: none
    bool nearestMakesIt = false;  // --nearest takes the file as it is and makes the nearest picture
};

// The refusal's text, with the way out when --nearest makes a picture of the file.
std::string WithWayOut(std::string_view text, bool nearestMakesIt);

// A file of a kind that is told but not read, and one of no known kind.
Refusal NotAPictureRefusal();
Refusal FileTooLargeRefusal(std::string_view kindName);
Refusal SizeRefusal(std::string_view kindName, int width, int height);
// What --nearest refuses: a file or a size beyond its limits, or memory that ran out scaling.
Refusal NearestFileTooLargeRefusal(std::string_view kindName);
Refusal NearestSizeRefusal(std::string_view kindName, int width, int height);
// A progressive JPEG so large that libjpeg would hold more than MaxProgressiveJpegBytes, or a
// picture of another kind decoded whole larger than MaxWholeDecodedPixels.
Refusal MemoryRefusal(PictureKind kind, int width, int height);
Refusal ScalingMemoryRefusal();
// reason: the decoder's words.
Refusal UnreadableRefusal(std::string_view kindName, std::string_view reason);
// A JPEG in print colours, without --nearest.
Refusal CmykRefusal(std::string_view kindName);
// A WebP, HEIC or AVIF file on a Windows without the codec for it, or a HEIC or AVIF file on a
// Linux without libheif.
Refusal CodecMissingRefusal(PictureKind kind);
// A file of more colours than a C64 picture has (a JPEG): colours, how many it holds.
Refusal TooManyColoursRefusal(std::string_view kindName, std::size_t colours);
// Colours that make no C64 picture in the palette asked for or found: the colour, its first pixel,
// its nearest C64 colour and how far it lies. Without the way out: --nearest reads a BMP as the
// plain road does; ImportRefusalText adds it for a PNG, GIF or JPEG.
Refusal ColourRefusalText(const PaletteMatch& match, std::string_view kindName);
Refusal ImportRefusalText(const PictureImport& imported, const DecodedPicture& picture, std::string_view kindName);

}  // namespace pxm

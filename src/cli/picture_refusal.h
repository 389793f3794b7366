#pragma once
// What the converter tells a C64 artist when a picture file cannot become a picture: a message,
// and a line naming the pixels in the file's own coordinates (x from the left, y from the top,
// a screenshot's border included).
#include <string>
#include <string_view>

#include "core/import/decoded_picture.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"

namespace pxm::cli {

struct Refusal {
    std::string text;
    std::string detail;  // empty: none
};

// A file of a kind that is told but not read, and one of no known kind.
Refusal NotAPictureRefusal();
Refusal FileTooLargeRefusal(std::string_view kindName);
Refusal SizeRefusal(std::string_view kindName, int width, int height);
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
// its nearest C64 colour and how far it lies.
Refusal ColourRefusalText(const PaletteMatch& match, std::string_view kindName);
Refusal ImportRefusalText(const PictureImport& imported, const DecodedPicture& picture, std::string_view kindName);

}  // namespace pxm::cli

#pragma once
// What the converter tells a C64 artist when a file cannot become a picture: a message, and for
// a PNG or GIF a line naming the pixels in the file's own coordinates (x from the left, y from
// the top, a screenshot's border included).
#include <string>
#include <string_view>

#include "core/import/decoded_picture.h"
#include "core/import/picture_import.h"

namespace pxm::cli {

struct Refusal {
    std::string text;
    std::string detail;  // empty: none
};

// A file of a kind that is told but not read, and one of no known kind.
Refusal JpegRefusal();
Refusal NotAPictureRefusal();
Refusal FileTooLargeRefusal(std::string_view kindName);
Refusal SizeRefusal(std::string_view kindName, int width, int height);
// reason: the decoder's words.
Refusal UnreadableRefusal(std::string_view kindName, std::string_view reason);
Refusal ImportRefusalText(const PictureImport& imported, const DecodedPicture& picture, std::string_view kindName);

}  // namespace pxm::cli

#pragma once
// An emulator's screenshot shows the C64 picture inside a border of one colour; a photograph of
// the same size has no such frame. Told with room for the noise of a lossy copy.
#include <optional>

#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"
#include "core/palette/rgb.h"

namespace pxm {

// The colour of the picture outside the area when it is one colour (apart from a margin around
// the area, where a lossy copy's blocks and filters mix the two): nearly every pixel within a few
// steps of it. That colour is each channel's median.
std::optional<Rgb> OneBorderColour(const DecodedPicture& picture, const PictureArea& inner);

inline bool BorderIsOneColour(const DecodedPicture& picture, const PictureArea& inner) {
    return OneBorderColour(picture, inner).has_value();
}

}  // namespace pxm

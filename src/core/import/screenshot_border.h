#pragma once
// An emulator's screenshot shows the C64 picture inside a border of one colour; a photograph of
// the same size has no such frame. Told with room for the noise of a lossy copy.
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm {

// Whether the picture outside the area (apart from a margin around it, where a lossy copy's
// blocks and filters mix the two) is one colour: nearly every pixel within a few steps of it.
bool BorderIsOneColour(const DecodedPicture& picture, const PictureArea& inner);

}  // namespace pxm

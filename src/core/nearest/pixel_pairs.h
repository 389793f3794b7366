#pragma once
// A multicolour picture's pixels are twice as wide as they are high: in a file 320 pixels across
// each C64 pixel is a pair of equal pixels, and every step of brightness falls between two pairs.
// A lossy step (a JPEG, a mild blur or rescaling) leaves those steps where they were; a photograph
// or a drawing made at 320 pixels across steps as often inside a pair as between two. Brightness
// only: a JPEG keeps it at full resolution where it blurs the hue.
#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm {

// Whether the area's strong brightness steps fall between pairs, as a multicolour picture's do:
// enough of them, and few inside pairs. True at one file pixel per C64 pixel (nothing to tell).
bool StepsFallBetweenPairs(const DecodedPicture& picture, const PictureArea& area);

}  // namespace pxm

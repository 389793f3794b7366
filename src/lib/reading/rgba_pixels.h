#pragma once
// Pixels a caller decoded, taken as a decoder gives a picture: the sizes checked, a large one
// brought down as its rows come (as the PNG decoder brings down a large PNG).
#include "lib/reading/input_file.h"
#include "lib/reading/picture_decoder.h"

namespace pxm {

DecodeOutcome DecodeRgba(const RgbaPixels& pixels, SizesTaken sizes);

}  // namespace pxm

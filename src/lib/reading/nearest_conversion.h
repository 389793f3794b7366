#pragma once
// The converter's --nearest road: a picture of any size, placed or scaled onto the C64 screen,
// made into the nearest picture the palette mode can show (core/nearest) and koalized. Outcomes
// and refusals come back as the plain road's do.
#include "lib/options.h"
#include "lib/reading/input_file.h"
#include "lib/reading/picture_reading.h"
#include "core/import/canvas.h"
#include "core/koala/koala_image.h"

namespace pxm {

// Read: the image holds the picture; information holds the lines for stdout.
PictureReading ConvertNearest(const InputFile& input, const Options& options, Canvas& canvas, KoalaImage& image);

}  // namespace pxm

#pragma once
// The converter's --nearest road: a picture of any size, placed or scaled onto the C64 screen,
// made into the nearest picture the palette mode can show (core/nearest) and koalized. Outcomes
// and refusals come back as the plain road's do.
#include "cli/cli_options.h"
#include "cli/input_file.h"
#include "cli/picture_reading.h"
#include "core/import/canvas.h"
#include "core/koala/koala_image.h"

namespace pxm::cli {

// A PNG or GIF with --nearest may be this long (a camera's photograph; a picture that needs no
// scaling stays within MaxEncodedPictureBytes).
inline constexpr std::size_t MaxScalableFileBytes = std::size_t{32} << 20;

// Read: the image holds the picture; information holds the lines for stdout.
PictureReading ConvertNearest(const InputFile& input, const CliOptions& options, Canvas& canvas, KoalaImage& image);

}  // namespace pxm::cli

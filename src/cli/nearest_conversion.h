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

// A PNG, GIF or JPEG with --nearest may be this long: a camera's 24 megapixels of photograph
// take about 50 MB as a PNG. The file is the most memory a large picture takes (it is brought
// down as it is decoded); a picture that needs no scaling stays within MaxEncodedPictureBytes.
inline constexpr std::size_t MaxScalableFileBytes = std::size_t{64} << 20;

// Read: the image holds the picture; information holds the lines for stdout.
PictureReading ConvertNearest(const InputFile& input, const CliOptions& options, Canvas& canvas, KoalaImage& image);

}  // namespace pxm::cli

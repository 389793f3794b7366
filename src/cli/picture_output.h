#pragma once
// The last step of every conversion: the picture written as the C64 file the options ask for
// (any format and container, or a program that shows it) or as a PNG or BMP, then the preview.
#include <cstddef>
#include <ostream>

#include "cli/cli_options.h"
#include "core/koala/koala_image.h"

namespace pxm::cli {

// palette: the C64Palettes row PNG, BMP and preview show. Returns the exit status.
int WritePictureOutput(const KoalaImage& image, const CliOptions& options, std::size_t palette, std::ostream& out,
                       std::ostream& err);

}  // namespace pxm::cli

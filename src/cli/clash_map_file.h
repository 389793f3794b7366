#pragma once
// --clash-map FILE: the picture as read with every cell that cannot be koalized framed, as a PNG
// or a 24-bit BMP, written whether the conversion succeeds or is refused.
#include <string>

#include "cli/cli_options.h"
#include "cli/image_output.h"
#include "cli/input_file.h"
#include "cli/picture_reading.h"
#include "core/import/canvas.h"
#include "core/koala/clashing_cells.h"

namespace pxm::cli {

// The map's file; its error names what the encoder refused.
ImageFile ClashMapFile(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes, ImageOutput kind);

struct AsReadClashMap {
    ImageFile file;
    std::string notMade;  // why there is no map (Windows ANSI), or empty
};

// --nearest changes the picture; its map is that of the picture as read without --nearest, with
// the cells that clash there. A picture that does not read so (a photograph, a size the C64 has
// no picture of) has no map: notMade says why.
AsReadClashMap AsReadClashMapFile(const InputFile& input, const CliOptions& options, ImageOutput kind);

}  // namespace pxm::cli

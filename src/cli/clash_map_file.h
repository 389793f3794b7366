#pragma once
// --clash-map FILE: the picture as read with every cell that cannot be koalized framed, as a PNG,
// written whether the conversion succeeds or is refused.
#include <string>

#include "cli/cli_options.h"
#include "cli/input_file.h"
#include "cli/picture_reading.h"
#include "cli/preview_png.h"
#include "core/import/canvas.h"
#include "core/koala/clashing_cells.h"

namespace pxm::cli {

// The map's PNG; its error names what the encoder refused.
EncodedPng ClashMapPng(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes);

struct AsReadClashMap {
    EncodedPng png;
    std::string notMade;  // why there is no map (Windows ANSI), or empty
};

// --nearest changes the picture; its map is that of the picture as read without --nearest, with
// the cells that clash there. A picture that does not read so (a photograph, a size the C64 has
// no picture of) has no map: notMade says why.
AsReadClashMap AsReadClashMapPng(const InputFile& input, const CliOptions& options);

}  // namespace pxm::cli

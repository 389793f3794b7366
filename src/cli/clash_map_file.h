#pragma once
// --clash-map FILE: the picture as read with every cell that cannot be koalized framed, as a PNG,
// written whether the conversion succeeds or is refused.
#include <string>

#include "cli/cli_options.h"
#include "cli/picture_reading.h"
#include "core/import/canvas.h"
#include "core/koala/clashing_cells.h"

namespace pxm::cli {

// A usage error when the map would be written over the input, the output or the preview;
// otherwise empty.
std::string ClashMapTargetError(const CliOptions& options);

// Writes the map as the preview is written (never half a file); an empty text on success,
// otherwise the system's words.
std::string WriteClashMap(const std::string& path, const Canvas& canvas, const PictureReading& picture,
                          const Clashes& clashes);

}  // namespace pxm::cli

#pragma once
// --clash-map FILE: the picture as read with every cell that cannot be koalized framed, as a PNG,
// written whether the conversion succeeds or is refused.
#include "cli/picture_reading.h"
#include "cli/preview_png.h"
#include "core/import/canvas.h"
#include "core/koala/clashing_cells.h"

namespace pxm::cli {

// The map's PNG; its error names what the encoder refused.
EncodedPng ClashMapPng(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes);

}  // namespace pxm::cli

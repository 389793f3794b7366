#pragma once
// The clash map: the picture as read with every cell that cannot be koalized framed, made
// whether the conversion succeeds or is refused.
#include <optional>
#include <string>

#include "core/import/canvas.h"
#include "core/koala/clashing_cells.h"
#include "core/view/clash_map.h"
#include "lib/options.h"
#include "lib/reading/input_file.h"
#include "lib/reading/picture_reading.h"

namespace pxm {

RgbPicture ClashMapPicture(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes);

struct AsReadClashMap {
    std::optional<RgbPicture> map;
    std::string notMade;  // why there is no map (Windows ANSI)
};

// --nearest changes the picture; its map is that of the picture as read without --nearest, with
// the cells that clash there. A picture that does not read so (a photograph, a size the C64 has
// no picture of) has no map: notMade says why.
AsReadClashMap AsReadClashMapOf(const InputFile& input, const Options& options);

}  // namespace pxm

#include "cli/clash_map_file.h"

#include "core/view/clash_map.h"

namespace pxm::cli {

EncodedPng ClashMapPng(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes) {
    const DecodedPicture* decoded = picture.decoded.rgb.empty() ? nullptr : &picture.decoded;
    RgbPicture map = PictureAsRead(canvas, C64Palettes[picture.palette], decoded);
    FrameCells(map, clashes.cells, UnusedColour(map));
    return EncodePng(map.pixels, map.width, map.height);
}

}  // namespace pxm::cli

#include "cli/clash_map_file.h"

#include <memory>

#include "core/view/clash_map.h"

namespace pxm::cli {

EncodedPng ClashMapPng(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes) {
    const DecodedPicture* decoded = picture.decoded.rgb.empty() ? nullptr : &picture.decoded;
    RgbPicture map = PictureAsRead(canvas, C64Palettes[picture.palette], decoded);
    FrameCells(map, clashes.cells, UnusedColour(map));
    return EncodePng(map.pixels, map.width, map.height);
}

AsReadClashMap AsReadClashMapPng(const InputFile& input, const CliOptions& options) {
    const auto canvas = std::make_unique<Canvas>();
    const PictureReading picture = ReadPicture(input, options, *canvas);
    if (picture.outcome != PictureReading::Outcome::Read) return {{}, picture.text};
    return {ClashMapPng(*canvas, picture, FindClashes(*canvas, options.mode, options.background)), {}};
}

}  // namespace pxm::cli

#include "lib/output/clash_map_file.h"

#include <memory>

#include "core/palette/palette_book.h"

namespace pxm {

RgbPicture ClashMapPicture(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes) {
    const DecodedPicture* decoded = picture.decoded.rgb.empty() ? nullptr : &picture.decoded;
    RgbPicture map = PictureAsRead(canvas, PaletteAt(picture.palette), decoded);
    FrameCells(map, clashes.cells, UnusedColour(map));
    return map;
}

AsReadClashMap AsReadClashMapOf(const InputFile& input, const Options& options) {
    const auto canvas = std::make_unique<Canvas>();
    const PictureReading picture = ReadPicture(input, options, *canvas);
    if (picture.outcome != PictureReading::Outcome::Read) return {std::nullopt, picture.text};
    return {ClashMapPicture(*canvas, picture, FindClashes(*canvas, options.mode, options.background)), {}};
}

}  // namespace pxm

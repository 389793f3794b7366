#include "cli/clash_map_file.h"

#include <memory>

#include "cli/preview_png.h"
#include "core/palette/palette_book.h"
#include "core/view/clash_map.h"
#include "core/view/rgb_bmp.h"

namespace pxm::cli {

ImageFile ClashMapFile(const Canvas& canvas, const PictureReading& picture, const Clashes& clashes, ImageOutput kind) {
    const DecodedPicture* decoded = picture.decoded.rgb.empty() ? nullptr : &picture.decoded;
    RgbPicture map = PictureAsRead(canvas, PaletteAt(picture.palette), decoded);
    FrameCells(map, clashes.cells, UnusedColour(map));
    if (kind == ImageOutput::Bmp) return {BuildRgbBmp(map.pixels, map.width, map.height), {}};
    EncodedPng png = EncodePng(map.pixels, map.width, map.height);
    return {std::move(png.bytes), std::move(png.error)};
}

AsReadClashMap AsReadClashMapFile(const InputFile& input, const CliOptions& options, ImageOutput kind) {
    const auto canvas = std::make_unique<Canvas>();
    const PictureReading picture = ReadPicture(input, options, *canvas);
    if (picture.outcome != PictureReading::Outcome::Read) return {{}, picture.text};
    return {ClashMapFile(*canvas, picture, FindClashes(*canvas, options.mode, options.background), kind), {}};
}

}  // namespace pxm::cli

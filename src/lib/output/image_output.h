#pragma once
// The picture as a PC image instead of a C64 file: PNG or BMP, 320 x 200 as a C64 shows it, told
// by -c png|bmp or the output file's extension.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"
#include "core/view/clash_map.h"
#include "lib/output/preview_png.h"

namespace pxm {

enum class ImageOutput { Png, Bmp };

// "png" or "bmp" in any case.
std::optional<ImageOutput> ImageOutputFromName(std::string_view name);

// The file's bytes, or the encoder's words when it could not make it.
using ImageFile = Result<std::vector<std::uint8_t>, EncoderFailure>;

ImageFile BuildImageFile(const KoalaImage& image, ImageOutput kind, const C64Palette& palette);

// Any RGB picture (the clash map) as a PNG or a 24-bit BMP.
ImageFile BuildRgbImageFile(const RgbPicture& picture, ImageOutput kind);

}  // namespace pxm

#pragma once
// The picture as a C64 shows it, as a 320 x 200 BMP of 16 colours whose palette indexes are the
// C64 colour numbers (each multicolour pixel two BMP pixels wide): the BMP the Windows program
// opens, with the palette's RGB for other programs.
#include <cstdint>
#include <vector>

#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

std::vector<std::uint8_t> BuildPictureBmp(const KoalaImage& image, const C64Palette& palette);

}  // namespace pxm

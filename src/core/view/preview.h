#pragma once
// The koalized picture as a C64 shows it: 320x200 PC pixels, each multicolour pixel two wide,
// decoded from the picture's own bitmap, screen and colour memory and background as the VIC-II
// reads them.
#include <array>
#include <cstddef>

#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

inline constexpr int PreviewWidth = 320;
inline constexpr int PreviewHeight = 200;

using PreviewPixels = std::array<Rgb, static_cast<std::size_t>(PreviewWidth) * PreviewHeight>;  // row by row

void RenderPreview(const KoalaImage& image, const C64Palette& palette, PreviewPixels& pixels);

}  // namespace pxm

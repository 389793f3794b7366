#pragma once
// A C64 picture gone lossy read by brightness first. A JPEG keeps the brightness at full
// resolution and blurs the hue: with the chroma halved (4:2:0, 4:2:2) each hue is averaged over
// two pixels across, and with 4:2:0 over two rows, so the colours no longer gather into
// clusters. A C64 palette has few brightness levels with at most two or three colours on each:
// each C64 pixel is classed by its brightness first, and the blurred hue only chooses between the
// palette's colours of about that brightness, the other row of its chroma sample taken with it.
#include <optional>

#include "core/import/decoded_picture.h"
#include "core/import/palette_match.h"
#include "core/import/picture_area.h"
#include "core/nearest/lossy_picture.h"

namespace pxm {

// choice: Auto or Named. nullopt: not such a picture. The area's pixels must all be opaque.
std::optional<LossyPicture> ReadBrightnessFirst(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice);

}  // namespace pxm

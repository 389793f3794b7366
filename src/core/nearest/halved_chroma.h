#pragma once
// A C64 picture saved as a JPEG with its chroma halved (4:2:0 or 4:2:2): the brightness survives
// at full resolution, the hue is averaged over two rows and blurred into its neighbours, so the
// colours no longer gather into clusters. A C64 palette has few brightness levels with at most
// two or three colours on each: each C64 pixel is classed by its brightness first, and the
// blurred hue only chooses between the palette's colours of about that brightness, taking the
// other row of its chroma sample into account.
#include <optional>

#include "core/import/decoded_picture.h"
#include "core/import/palette_match.h"
#include "core/import/picture_area.h"
#include "core/nearest/lossy_picture.h"

namespace pxm {

// choice: Auto or Named. nullopt: not such a picture. The area's pixels must all be opaque.
std::optional<LossyPicture> ReadHalvedChroma(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice);

}  // namespace pxm

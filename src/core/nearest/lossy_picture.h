#pragma once
// A C64 picture gone lossy (a JPEG, a scaled or filtered screenshot) told from a photograph: its
// colours gather around at most sixteen centres (core/nearest/colour_clusters.h) that one C64
// palette takes (MatchPalette). Each pixel is then read in that palette by its brightness first
// (core/nearest/brightness_first.h), or is the C64 colour of its cluster. A copy whose chroma was
// halved gathers no such clusters: it is read by brightness alone, its palette with it.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/import/decoded_picture.h"
#include "core/import/palette_match.h"

namespace pxm {

struct LossyPicture {
    std::size_t palette = 0;            // found by AUTO, or the one named
    // The area's C64 colour numbers, row by row; AnyColour for a pixel mixed beyond telling.
    std::vector<std::uint8_t> numbers;
};

// choice: Auto or Named. nullopt: not such a picture. The area's pixels must all be opaque.
std::optional<LossyPicture> ReadLossyPicture(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice);

}  // namespace pxm

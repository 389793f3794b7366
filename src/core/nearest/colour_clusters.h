#pragma once
// The colours of a C64 picture that went through a lossy step (saved as JPEG, scaled or
// filtered) still gather tightly around the sixteen or fewer colours it had; a photograph's do
// not. Found here without any palette: the centres of those clusters and the cluster of each pixel.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/import/decoded_picture.h"
#include "core/import/picture_area.h"

namespace pxm {

// A pixel mixed beyond telling: far from every centre.
inline constexpr std::uint8_t NoCluster = 0xFF;

struct ColourClusters {
    std::vector<Rgb> centres;  // at most MaxPictureColours, each a mean of its cluster
    // The area's pixels row by row: the centre each lies nearest (a pair of pixels at the C64's
    // double width taken together), or NoCluster.
    std::vector<std::uint8_t> ofPixel;
};

// nullopt: the colours do not gather so (one cluster, more than a C64 picture has colours,
// centres closer than two C64 colours lie, or too many pixels far from every centre). The area's pixels must all be opaque.
std::optional<ColourClusters> FindTightClusters(const DecodedPicture& picture, const PictureArea& area);

}  // namespace pxm

#include "core/nearest/lossy_picture.h"

#include "core/nearest/colour_clusters.h"

namespace pxm {

std::optional<LossyPicture> ReadLossyPicture(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice) {
    std::optional<ColourClusters> clusters = FindTightClusters(picture, area);
    if (!clusters) return std::nullopt;
    // The centres as a picture of one row, each its own colour: the palette is the one that takes them.
    DecodedPicture centres;
    centres.width = static_cast<int>(clusters->centres.size());
    centres.height = 1;
    centres.rgb = clusters->centres;
    const PaletteMatch match = MatchPalette(centres, {0, 0, centres.width, 1}, choice);
    if (match.refusal != ColourRefusal::None) return std::nullopt;
    LossyPicture lossy{match.palette, std::move(clusters->ofPixel)};
    for (std::uint8_t& n : lossy.numbers) n = match.numbers[n];
    return lossy;
}

}  // namespace pxm

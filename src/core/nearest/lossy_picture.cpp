#include "core/nearest/lossy_picture.h"

#include "core/nearest/colour_clusters.h"
#include "core/nearest/brightness_first.h"
#include "core/nearest/nearest_target.h"
#include "core/nearest/pixel_pairs.h"

namespace pxm {

namespace {

// A cluster's centre is the mean of its pixels: in a lossy copy it lies within a few steps of the
// C64 colour it was (11 RGB units at most over quality-90 JPEGs of pictures in several palettes).
// Centres that a palette takes only at its limits (a copy whose chroma was halved, mixing
// neighbouring colours) are no reading of the picture: it is read by brightness first.
constexpr int MostCentreDistance = 24;

}  // namespace

std::optional<LossyPicture> ReadLossyPicture(const DecodedPicture& picture, const PictureArea& area,
                                             const PaletteChoice& choice) {
    // A two-tone photograph (a brick wall, a silhouette) gathers into clusters too.
    if (!StepsFallBetweenPairs(picture, area)) return std::nullopt;
    std::optional<ColourClusters> clusters = FindTightClusters(picture, area);
    // Colours that do not gather may still be a copy whose chroma was halved.
    if (!clusters) return ReadBrightnessFirst(picture, area, choice);
    // The centres as a picture of one row, each its own colour: the palette is the one that takes them.
    DecodedPicture centres;
    centres.width = static_cast<int>(clusters->centres.size());
    centres.height = 1;
    centres.rgb = clusters->centres;
    const PaletteMatch match = MatchPalette(centres, {0, 0, centres.width, 1}, choice);
    if (match.refusal != ColourRefusal::None || match.differsBy > MostCentreDistance)
        return ReadBrightnessFirst(picture, area, choice);
    // The palette found, each pixel is told by its brightness first: a JPEG keeps that better
    // than the hue, which it blurs between dithered colours of one brightness.
    if (std::optional<LossyPicture> read = ReadBrightnessFirst(picture, area, {PaletteChoice::Kind::Named, match.palette}))
        return read;
    LossyPicture lossy{match.palette, std::move(clusters->ofPixel)};
    for (std::uint8_t& n : lossy.numbers) n = n == NoCluster ? AnyColour : match.numbers[n];
    return lossy;
}

}  // namespace pxm

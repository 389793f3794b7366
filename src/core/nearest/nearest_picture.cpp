#include "core/nearest/nearest_picture.h"

#include <memory>

#include "core/nearest/seen_distance.h"

namespace pxm {

namespace {

// Each of PhotoDithers in turn; the canvas keeps the picture that lies nearest as seen.
void DitherNearestSeen(const NearestTarget& target, PaletteDistances& distances, const CellColourSets& sets,
                       std::uint8_t background, Canvas& canvas) {
    const ShownColours& shown = distances.shown();
    const std::vector<Lab> targetSeen = SeenTarget(target, shown.linear[background]);
    const auto trial = std::make_unique<Canvas>();
    double nearest = 0;
    for (std::size_t k = 0; k < PhotoDithers.size(); ++k) {
        Canvas& into = k == 0 ? canvas : *trial;
        DitherIntoCanvas(target, distances, sets, background, PhotoDithers[k], into);
        const double distance = SeenDistance(target, targetSeen, into, shown);
        if (k == 0 || distance < nearest) {
            nearest = distance;
            if (k != 0) canvas = into;
        }
    }
}

}  // namespace

NearestOutcome MakeNearestPicture(const NearestTarget& target, const C64Palette& palette,
                                  const NearestSettings& settings, Canvas& canvas, KoalaImage& image) {
    const auto distances = std::make_unique<PaletteDistances>(ShownColoursOf(palette));
    const ModeColours mode = ModeColoursOf(settings.mode, settings.background);
    NearestOutcome outcome;
    const bool dithered = settings.dither ? settings.dither->kind != DitherKind::None : !target.pixelArt;
    if (target.pixelArt && !dithered) {
        const FewestChanges fewest = FindFewestChanges(target, *distances, mode, canvas);
        outcome.background = fewest.background;
        outcome.changes = ChangeCount{fewest.changedPixels, fewest.changedCells};
    } else {
        const PixelDifferences pixels = DifferencesOfPixels(target, *distances);
        outcome.background = ChooseBackground(pixels, mode);
        const CellColourSets sets = ChooseCellColours(pixels, mode, outcome.background);
        if (settings.dither) {
            DitherIntoCanvas(target, *distances, sets, outcome.background, *settings.dither, canvas);
        } else {
            DitherNearestSeen(target, *distances, sets, outcome.background, canvas);
        }
    }
    // Every cell now holds the background and at most three further colours the mode allows.
    Koalize(canvas, image, settings.mode, BackgroundChoice{outcome.background});
    return outcome;
}

}  // namespace pxm

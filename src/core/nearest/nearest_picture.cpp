#include "core/nearest/nearest_picture.h"

#include <memory>

#include "core/nearest/seen_refinement.h"

namespace pxm {

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
        // The searches and the refinement share their work with a second thread, which also
        // makes what the refinement works in while this one dithers.
        SecondThread second(settings.threading, settings.placement);
        const bool refined = !settings.dither;
        const PixelDifferences pixels = DifferencesOfPixels(target, *distances, &second);
        outcome.background = ChooseBackground(pixels, mode, &second);
        // The default's cells keep colours that mix well, as its dither and refinement will mix
        // them; a dither asked for keeps each pixel's nearest, as it always has.
        const PaletteGaps gaps = PaletteGapsOf(distances->shown());
        CellColourSets sets = ChooseCellColours(pixels, mode, outcome.background, refined ? &gaps : nullptr, &second);
        if (refined) {
            std::unique_ptr<SeenRefinement> seen;
            second.SideBySide([&] { DitherIntoCanvas(target, *distances, sets, outcome.background, RefinementStart, canvas); },
                              [&] {
                                  seen = std::make_unique<SeenRefinement>();
                                  seen->SeeTarget(target, distances->shown(), outcome.background);
                              });
            seen->Refine(mode, sets, canvas, second);
        } else {
            DitherIntoCanvas(target, *distances, sets, outcome.background, *settings.dither, canvas);
        }
    }
    // Every cell now holds the background and at most three further colours the mode allows.
    Koalize(canvas, image, settings.mode, BackgroundChoice{outcome.background});
    return outcome;
}

}  // namespace pxm

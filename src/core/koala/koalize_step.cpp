#include "core/koala/koalize_step.h"

#include <algorithm>
#include <memory>

#include "core/koala/failing_cells.h"
#include "core/koala/koalize.h"

namespace pxm {

namespace {

KoalizeOutcome Failed(KoalizeFailure failure, const KoalizeResult& result, std::uint8_t background = 0) {
    KoalizeOutcome outcome;
    outcome.failure = failure;
    outcome.failedCell = result.failedCell;
    outcome.pixelColumn = result.pixelColumn;
    outcome.pixelRow = result.pixelRow;
    outcome.failedBackground = background;
    return outcome;
}

// No background works: the one that leaves the fewest cells failing (the lowest on a tie) is
// the one to repaint for, and its first failing cell the place to start.
KoalizeOutcome NoBackgroundWorks(const Canvas& canvas) {
    const std::array<int, 16> failing = FailingCellCounts(canvas);
    const auto fewest = static_cast<std::uint8_t>(std::ranges::min_element(failing) - failing.begin());
    // A scratch run: the caller's image keeps what the search left in it.
    const auto scratch = std::make_unique<KoalaImage>();
    KoalizeOutcome outcome = Failed(KoalizeFailure::NoBackgroundWorks, KoalizeMulticolour(canvas, *scratch, fewest), fewest);
    outcome.failingCells = failing[fewest];
    return outcome;
}

KoalizeOutcome KoalizeMulticolourStep(const Canvas& canvas, KoalaImage& image, int background) {
    if (background != AutoBackground) {
        const auto fixed = static_cast<std::uint8_t>(background);
        const KoalizeResult result = KoalizeMulticolour(canvas, image, fixed);
        return result.ok ? KoalizeOutcome{} : Failed(KoalizeFailure::BackgroundDoesNotFit, result, fixed);
    }
    const AutoBackgroundResult result = AutoBackgroundSearch(canvas, image);
    if (!result.background) return NoBackgroundWorks(canvas);
    KoalizeOutcome outcome;
    outcome.autoBackground = result.background;
    return outcome;
}

}  // namespace

KoalizeOutcome Koalize(const Canvas& canvas, KoalaImage& image, PaletteMode mode, int background) {
    switch (mode) {
        case PaletteMode::FourGreys: {
            const KoalizeResult result = KoalizeFourGreys(canvas, image);
            return result.ok ? KoalizeOutcome{} : Failed(KoalizeFailure::NotFourGreys, result);
        }
        case PaletteMode::FiveGreys: {
            const KoalizeResult result = KoalizeFiveGreys(canvas, image);
            if (result.ok) return {};
            return Failed(result.fiveGreyError == FiveGreyError::WhiteWithAllGreys ? KoalizeFailure::WhiteWithAllGreys
                                                                                   : KoalizeFailure::NotFiveGreys,
                          result);
        }
        case PaletteMode::Multicolour: break;
    }
    return KoalizeMulticolourStep(canvas, image, background);
}

const Message& FailureMessage(KoalizeFailure failure) {
    switch (failure) {
        case KoalizeFailure::NotFourGreys: return msg::NotFourGreys;
        case KoalizeFailure::NotFiveGreys: return msg::NotFiveGreys;
        case KoalizeFailure::BackgroundDoesNotFit: return msg::BackgroundDoesNotFit;
        case KoalizeFailure::WhiteWithAllGreys:
        case KoalizeFailure::NoBackgroundWorks:
        case KoalizeFailure::None: break;
    }
    return msg::NotC64Picture;
}

}  // namespace pxm

#include "core/koala/koalize_step.h"

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

KoalizeOutcome KoalizeMulticolourStep(const Canvas& canvas, KoalaImage& image, int background) {
    if (background != AutoBackground) {
        const auto fixed = static_cast<std::uint8_t>(background);
        const KoalizeResult result = KoalizeMulticolour(canvas, image, fixed);
        return result.ok ? KoalizeOutcome{} : Failed(KoalizeFailure::BackgroundDoesNotFit, result, fixed);
    }
    const AutoBackgroundResult result = AutoBackgroundSearch(canvas, image);
    if (!result.background) return Failed(KoalizeFailure::NoBackgroundWorks, result.furthest, result.furthestBackground);
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

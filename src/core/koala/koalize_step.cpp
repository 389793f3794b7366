#include "core/koala/koalize_step.h"

namespace pxm {

KoalizeOutcome Koalize(const Canvas& canvas, KoalaImage& image, PaletteMode mode, BackgroundChoice background) {
    switch (mode) {
        case PaletteMode::FourGreys: return KoalizeFourGreys(canvas, image);
        case PaletteMode::FiveGreys: return KoalizeFiveGreys(canvas, image);
        case PaletteMode::Multicolour: break;
    }
    if (background.colour) return KoalizeMulticolour(canvas, image, *background.colour);
    return AutoBackgroundSearch(canvas, image);
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

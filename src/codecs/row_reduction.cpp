// The decoders' one choice of holding a large picture's rows or reducing them as they come.
#include "lib/reading/picture_decoder.h"

#include <algorithm>

namespace pxm {

std::optional<BoxReduction> RowReductionFor(SizesTaken sizes, int width, int height, Orientation orientation) {
    if (sizes == SizesTaken::C64Picture || static_cast<long long>(width) * height <= MaxWholePixels) return std::nullopt;
    // Placed unscaled, no more than the screen's pixels are shown: the stored part that shows as
    // the top left.
    if (sizes == SizesTaken::Scalable) {
        const PictureSize shown = ShownSize(width, height, orientation);
        const StoredPart part = StoredPartShownTopLeft(orientation, width, height, std::min(shown.width, MaxPictureWidth),
                                                       std::min(shown.height, MaxPictureHeight));
        return StartPartKept(width, height, part.left, part.top, part.width, part.height);
    }
    return StartBoxReduction(width, height, BoxFactorsFor(width, height));
}

void FinishRowReduction(const BoxReduction& reduction, DecodeOutcome& outcome) {
    outcome.picture = FinishBoxReduction(reduction);
    outcome.reduction = reduction.factors;
    // A reduction of factors 1 is a top left (a larger picture has a factor above 1 one way).
    outcome.cut = reduction.factors == BoxFactors{};
    outcome.status = DecodeOutcome::Status::Decoded;
}

}  // namespace pxm

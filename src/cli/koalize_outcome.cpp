#include "cli/koalize_outcome.h"

#include "cli/failure_detail.h"
#include "core/koala/color_names.h"
#include "core/koala/koalize.h"

namespace pxm::cli {

KoalizeOutcome Koalize(const Canvas& canvas, const BmpInfo& info, KoalaImage& image, const CliOptions& options) {
    KoalizeOutcome outcome;
    switch (options.mode) {
        case PaletteMode::FourGreys: {
            const KoalizeResult result = KoalizeFourGreys(canvas, image);
            outcome.ok = result.ok;
            if (!result.ok) {
                outcome.error = &msg::NotFourGreys;
                outcome.detail = ForeignPixelDetail(canvas, info, result.pixelColumn, result.pixelRow, false);
            }
            break;
        }
        case PaletteMode::FiveGreys: {
            const KoalizeResult result = KoalizeFiveGreys(canvas, image);
            outcome.ok = result.ok;
            if (result.fiveGreyError == FiveGreyError::ForeignColour) {
                outcome.error = &msg::NotFiveGreys;
                outcome.detail = ForeignPixelDetail(canvas, info, result.pixelColumn, result.pixelRow, true);
            } else if (!result.ok) {
                outcome.error = &msg::NotC64Picture;
                outcome.detail = WhiteWithAllGreysDetail(result.failedCell);
            }
            break;
        }
        case PaletteMode::Multicolour:
            if (options.background >= 0) {
                const auto background = static_cast<std::uint8_t>(options.background);
                const KoalizeResult result = KoalizeMulticolour(canvas, image, background);
                outcome.ok = result.ok;
                if (!result.ok) {
                    outcome.error = &msg::BackgroundDoesNotFit;
                    outcome.detail = CrowdedCellDetail(canvas, result.failedCell, background);
                }
            } else {
                const AutoBackgroundResult result = AutoBackgroundSearch(canvas, image);
                outcome.ok = result.background.has_value();
                if (outcome.ok) {
                    outcome.information = ChosenBackgroundText(ColorName(*result.background));
                } else {
                    outcome.error = &msg::NotC64Picture;
                    outcome.detail =
                        AutoSearchDetail(canvas, result.furthest.failedCell, result.furthestBackground);
                }
            }
            break;
    }
    return outcome;
}

}  // namespace pxm::cli

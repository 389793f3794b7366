#pragma once
// The three koalizations. None shows anything; the caller reports the outcome. A failed run
// leaves the KoalaImage partly overwritten, exactly as far as it got.
#include <array>
#include <cstdint>
#include <optional>

#include "core/import/canvas.h"
#include "core/koala/koala_image.h"

namespace pxm {

enum class FiveGreyError : int {
    None = 0,
    ForeignColour = 1,      // a pixel outside 0, 1, 11, 12, 15
    WhiteWithAllGreys = 2,  // a cell holds white and all three grey levels
};

struct KoalizeResult {
    bool ok = true;
    int failedCell = -1;                 // cell n (row by row) where the run stopped
    int pixelColumn = -1;                // Canvas position of the offending pixel (grey modes,
    int pixelRow = -1;                   //   foreign colour only)
    FiveGreyError fiveGreyError = FiveGreyError::None;
};

KoalizeResult KoalizeMulticolour(const Canvas& canvas, KoalaImage& image, std::uint8_t background);
KoalizeResult KoalizeFourGreys(const Canvas& canvas, KoalaImage& image);
KoalizeResult KoalizeFiveGreys(const Canvas& canvas, KoalaImage& image);

struct AutoBackgroundResult {
    std::optional<std::uint8_t> background;  // the lowest background that works; none when none does
};

// Tries backgrounds 0 to 15 in turn; the image holds the last attempt.
AutoBackgroundResult AutoBackgroundSearch(const Canvas& canvas, KoalaImage& image);

// True when every value on the Canvas is a C64 colour 0-15 (any 16-colour file).
bool HoldsOnlyC64Colours(const Canvas& canvas);
// For a Canvas of C64 colours only: for each background, the first cell that keeps the
// multicolour koalization from working with it; -1 where none does.
std::array<int, 16> FirstFailingCells(const Canvas& canvas);

}  // namespace pxm

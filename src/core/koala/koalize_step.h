#pragma once
// The Koalize step both programs run: the routine of the chosen palette mode (with the AUTO
// search for the background), and what came of it. Each program shows the outcome its own way.
#include <cstdint>
#include <optional>

#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "core/text/messages.h"

namespace pxm {

enum class PaletteMode { Multicolour, FourGreys, FiveGreys };

inline constexpr int AutoBackground = -1;

enum class KoalizeFailure {
    None,
    NotFourGreys,           // a pixel outside the four grey levels
    NotFiveGreys,           // a pixel outside the four grey levels and white
    WhiteWithAllGreys,      // a five-grey cell with white and all three greys
    BackgroundDoesNotFit,   // the chosen background leaves a cell with too many colours
    NoBackgroundWorks,      // AUTO: every background does
};

struct KoalizeOutcome {
    KoalizeFailure failure = KoalizeFailure::None;
    std::optional<std::uint8_t> autoBackground;  // the background AUTO chose
    // Where it stopped: the cell, and in the grey modes the pixel (Canvas column and row).
    int failedCell = -1;
    int pixelColumn = -1;
    int pixelRow = -1;
    // The chosen background, or under AUTO the one that leaves the fewest cells failing.
    std::uint8_t failedBackground = 0;
    int failingCells = 0;  // NoBackgroundWorks: how many cells fail under failedBackground

    bool ok() const { return failure == KoalizeFailure::None; }
};

// background: AutoBackground or a C64 colour; only the multicolour mode uses it.
KoalizeOutcome Koalize(const Canvas& canvas, KoalaImage& image, PaletteMode mode, int background);

// The message box the Windows program shows for a failure.
const Message& FailureMessage(KoalizeFailure failure);

}  // namespace pxm

#pragma once
// The three koalizations. None shows anything; the caller reports the outcome. A failed run
// leaves the KoalaImage partly overwritten, exactly as far as it got.
#include <array>
#include <cstdint>
#include <optional>

#include "core/import/canvas.h"
#include "core/koala/cell_set.h"
#include "core/koala/koala_image.h"

namespace pxm {

enum class KoalizeFailure {
    None,
    NotFourGreys,           // a pixel outside the four grey levels
    NotFiveGreys,           // a pixel outside the four grey levels and white
    WhiteWithAllGreys,      // a five-grey cell with white and all three greys
    BackgroundDoesNotFit,   // the chosen background leaves a cell with too many colours
    NoBackgroundWorks,      // AUTO: every background does
};

// What came of a koalization, with the facts a message needs.
struct KoalizeOutcome {
    KoalizeFailure failure = KoalizeFailure::None;
    std::optional<std::uint8_t> autoBackground;  // the background AUTO chose
    // Where it stopped: the cell (row by row), and in the grey modes the pixel that no slot
    // takes (Canvas column and row).
    int failedCell = -1;
    int pixelColumn = -1;
    int pixelRow = -1;
    std::uint8_t failedBackground = 0;  // the chosen background, or the one AUTO got furthest with

    bool ok() const { return failure == KoalizeFailure::None; }
};

KoalizeOutcome KoalizeMulticolour(const Canvas& canvas, KoalaImage& image, std::uint8_t background);
KoalizeOutcome KoalizeFourGreys(const Canvas& canvas, KoalaImage& image);
KoalizeOutcome KoalizeFiveGreys(const Canvas& canvas, KoalaImage& image);

// Tries backgrounds 0 to 15 in turn; the image holds the last attempt. The outcome names the
// lowest background that works, or the one whose run got furthest (lowest on a tie).
KoalizeOutcome AutoBackgroundSearch(const Canvas& canvas, KoalaImage& image);

// True when every value on the Canvas is a C64 colour 0-15 (any 16-colour file).
bool HoldsOnlyC64Colours(const Canvas& canvas);
// For a Canvas of C64 colours only: for each background, the first cell that keeps the
// multicolour koalization from working with it; -1 where none does.
std::array<int, 16> FirstFailingCells(const Canvas& canvas);
// Every cell that keeps the multicolour koalization from working with that background: the
// first is the one KoalizeMulticolour stops at; after a failing cell the slots go on as they
// were before it.
CellSet CellsThatFail(const Canvas& canvas, std::uint8_t background);

}  // namespace pxm

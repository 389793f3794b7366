#include "lib/wording/failure_detail.h"

#include <algorithm>

#include "lib/wording/text_join.h"
#include "core/koala/cell_colours.h"
#include "core/koala/cell_pixels.h"
#include "core/koala/colour_names.h"

namespace pxm {

namespace {

// A cell takes at most this many colours besides the background.
constexpr int MaxCellColours = 3;

// "12,3 (BMP pixels 96-103 x 24-31)": a cell is 4 double-wide pixels, 8 file pixels wide (4 in
// a picture of one pixel per double-wide pixel).
std::string CellText(const CanvasSource& source, int cell) {
    const int cx = CellColumnOf(cell);
    const int cy = CellRowOf(cell);
    const int cellWidth = 4 * source.pixelWidth;
    const int x = source.left + cellWidth * cx;
    const int y = source.top + 8 * cy;
    return Join({std::to_string(cx), ",", std::to_string(cy), " (", KindName(source.kind), " pixels ", std::to_string(x), "-",
                 std::to_string(x + cellWidth - 1), " x ", std::to_string(y), "-", std::to_string(y + 7), ")"});
}

// A cell with too many colours besides the background, and what it must lose.
std::string CrowdedCellDetail(const Canvas& canvas, const CanvasSource& source, int cell, std::uint8_t background) {
    std::vector<std::uint8_t> colours = DistinctCellColours(canvas, cell);
    std::erase(colours, background);
    std::string text = Join({"Cell ", CellText(source, cell), " holds ", std::to_string(colours.size()),
                             colours.size() == 1 ? " colour" : " colours", " besides background ",
                             ColourText(background), ":"});
    for (std::size_t i = 0; i < colours.size(); ++i) text += Join({i == 0 ? " " : ", ", ColourText(colours[i])});
    text += '.';
    const auto excess = static_cast<int>(colours.size()) - MaxCellColours;
    // Only value 16 can make a cell with three colours fail: it equals an unused colour slot.
    if (excess <= 0)
        return text + " Colour 16 of a 256-colour file takes up the free colour slots; paint with colours 0-15.";
    return Join({text, " A cell takes at most ", std::to_string(MaxCellColours),
                 " colours besides the background: this one must lose ", std::to_string(excess), "."});
}

// The same for AUTO: the first failing cell under the background that leaves the fewest, which
// the count line names.
std::string AutoSearchDetail(const Canvas& canvas, const CanvasSource& source, const Clashes& clashes) {
    int first = 0;
    while (first < CellCount && !clashes.cells[static_cast<std::size_t>(first)]) ++first;
    if (first == CellCount) return {};
    return CrowdedCellDetail(canvas, source, first, clashes.background);
}

// A pixel that a grey mode cannot show; withWhite: the five-level mode.
std::string ForeignPixelDetail(const Canvas& canvas, const CanvasSource& source, int column, int row, bool withWhite) {
    const int x = source.left + source.pixelWidth * column + source.keptPixel;
    return Join({KindName(source.kind), " pixel ", std::to_string(x), ",", std::to_string(source.top + row),
                 " (x from the left, y from the top; cell ",
                 std::to_string(column / 4), ",", std::to_string(row / 8), ") has colour ",
                 ColourText(canvas[CanvasIndex(column, row)]),
                 "; this mode takes only 0 (black), ", withWhite ? "1 (white), " : "",
                 "11 (dark grey), 12 (med grey) and 15 (light grey)."});
}

// A five-grey cell holding white and all three grey levels.
std::string WhiteWithAllGreysDetail(const CanvasSource& source, int cell) {
    return Join({"Cell ", CellText(source, cell),
                 " holds white together with all three grey levels 11 (dark grey), 12 (med grey) and 15 (light"
                 " grey); white can only take the place of a grey level that the cell does not use."});
}

}  // namespace

std::string ColourText(int value) {
    if (value > 15) return std::to_string(value);
    return Join({std::to_string(value), " (", ColourName(value), ")"});
}

std::string ClashCountLine(const Clashes& clashes, KoalizeFailure failure) {
    const std::size_t count = clashes.cells.count();
    constexpr std::string_view Many = " cells hold more colours than they may; --clash-map shows them all.";
    const std::string cells = count == 1 ? "1 cell holds more colours than it may; --clash-map shows it."
                                         : Join({std::to_string(count), Many});
    switch (failure) {
        case KoalizeFailure::BackgroundDoesNotFit: return cells;
        case KoalizeFailure::NoBackgroundWorks:
            return Join({"No background works; with background ", ColourText(clashes.background), ", which leaves the fewest, ",
                         cells});
        case KoalizeFailure::NotFourGreys:
        case KoalizeFailure::NotFiveGreys:
        case KoalizeFailure::WhiteWithAllGreys:
        case KoalizeFailure::None: break;
    }
    return {};
}

std::string FailureDetail(const Canvas& canvas, const CanvasSource& source, const KoalizeOutcome& outcome,
                          const Clashes& clashes) {
    switch (outcome.failure) {
        case KoalizeFailure::NotFourGreys:
            return ForeignPixelDetail(canvas, source, outcome.pixelColumn, outcome.pixelRow, false);
        case KoalizeFailure::NotFiveGreys:
            return ForeignPixelDetail(canvas, source, outcome.pixelColumn, outcome.pixelRow, true);
        case KoalizeFailure::WhiteWithAllGreys: return WhiteWithAllGreysDetail(source, outcome.failedCell);
        case KoalizeFailure::BackgroundDoesNotFit:
            return CrowdedCellDetail(canvas, source, outcome.failedCell, outcome.failedBackground);
        case KoalizeFailure::NoBackgroundWorks: return AutoSearchDetail(canvas, source, clashes);
        case KoalizeFailure::None: break;
    }
    return {};
}

}  // namespace pxm

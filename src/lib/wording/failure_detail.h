#pragma once
// One line for a C64 artist naming the cell or pixel that stopped a koalization, in the file's
// own pixel coordinates (x from the left, y from the top, a screenshot's border included).
#include <string>

#include "core/import/canvas.h"
#include "core/import/picture_area.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/koalize_step.h"

namespace pxm {

// source: where the Canvas pixels sit in the file, for naming them; clashes: FindClashes' cells
// for the failure, of which AUTO names the first (the count line names their background).
// A crowded cell's detail tells the limit of three colours besides the background and how many
// the cell must lose.
std::string FailureDetail(const Canvas& canvas, const CanvasSource& source, const KoalizeOutcome& outcome,
                          const Clashes& clashes);

// For a multicolour failure, how many cells fail ("12 cells hold more colours than they may;
// --clash-map shows them all."), under AUTO with the background that leaves the fewest; empty
// for the grey modes' failures. Shown before FailureDetail's line.
std::string ClashCountLine(const Clashes& clashes, KoalizeFailure failure);

// "5 (green)"; values above 15 (from a 256-colour file or table) have no name.
std::string ColourText(int value);

}  // namespace pxm

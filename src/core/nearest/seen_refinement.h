#pragma once
// The picture refined as the eye takes it in: pixels and cell colours changed one at a time
// wherever the change brings the blurred picture (seen_blur.h) nearer the blurred target, each
// error weighed as CIEDE2000 weighs it between the two there (local_metric.h). Dithering
// passes each pixel's error on to pixels not yet done and never looks back; this looks at every
// pixel's whole neighbourhood, on both sides of every cell border, and lets a cell take other
// colours when its neighbours' dithering asks for them.
#include <cstdint>
#include <memory>

#include "core/base/second_thread.h"
#include "core/import/canvas.h"
#include "core/nearest/cell_search.h"

namespace pxm {

class SeenError;

// The refinement in two steps, so that the first may run beside other work: its grids (a few
// megabytes, every page touched as they are made: a fresh page's first touch is a fault) and
// the target as seen need neither the cells' colours nor the dither.
class SeenRefinement {
public:
    SeenRefinement();
    ~SeenRefinement();
    SeenRefinement(const SeenRefinement&) = delete;
    SeenRefinement& operator=(const SeenRefinement&) = delete;

    // The target as the eye takes it in; outside the picture the screen shows the background.
    // second: where given, its share of the work (not from the second thread itself).
    void SeeTarget(const NearestTarget& target, const ShownColours& shown, std::uint8_t background,
                   SecondThread* second = nullptr);
    // After SeeTarget. canvas: a picture whose pixels each take a colour of their cell's set (a
    // dither's), refined in place; sets: the cells' colours, background included, changed where
    // that serves. The work is shared with the second thread; the picture is the same without.
    void Refine(const ModeColours& mode, CellColourSets& sets, Canvas& canvas, SecondThread& second);

private:
    std::unique_ptr<SeenError> seen_;
    std::uint8_t background_ = 0;
};

// Both steps at once.
void RefineAsSeen(const NearestTarget& target, const ShownColours& shown, const ModeColours& mode,
                  std::uint8_t background, CellColourSets& sets, Canvas& canvas, SecondThread& second);

}  // namespace pxm

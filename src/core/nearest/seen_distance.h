#pragma once
// How far a picture lies from the one it was made for as the eye takes both in: neighbouring
// pixels blend, so both are blurred in linear light first (a Gaussian of one pixel of the
// 320-pixel-wide screen, as the quality measure of docs/performance.md), then compared in
// CIELAB. The straight CIELAB distance rather than CIEDE2000: it ranks a picture's dithers as the
// blurred CIEDE2000 does (measured there) at a fraction of the cost.
#include <cstdint>
#include <span>
#include <vector>

#include "core/import/canvas.h"
#include "core/nearest/mode_colours.h"
#include "core/nearest/nearest_target.h"

namespace pxm {

// The target as seen at the pixels SeenDistance looks at; beyond the picture the background, as
// every picture made for it shows there.
std::vector<Lab> SeenTarget(const NearestTarget& target, LinearRgb background);

// The mean CIELAB distance, over the pixels inside the picture (every second of every second
// row), of the canvas as seen from the target as seen.
double SeenDistance(const NearestTarget& target, std::span<const Lab> targetSeen, const Canvas& canvas,
                    const ShownColours& shown);

}  // namespace pxm

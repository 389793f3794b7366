#include "core/nearest/seen_distance.h"

#include <algorithm>
#include <cmath>

namespace pxm {

namespace {

// The Gaussian of sigma 1 at offsets 0, 1 and 2, taken down the 200 rows; across, each
// multicolour pixel is two of the screen's pixels, so its weights over the neighbouring
// multicolour pixels are those of its two halves averaged.
constexpr std::array<float, 5> Down{0.0545f, 0.2442f, 0.4026f, 0.2442f, 0.0545f};
constexpr std::array<float, 3> Across{0.1766f, 0.6468f, 0.1766f};

LinearRgb Weighted(LinearRgb sum, LinearRgb colour, float weight) {
    return {sum.r + weight * colour.r, sum.g + weight * colour.g, sum.b + weight * colour.b};
}

// The blurred picture is looked at in every second pixel of every second row: a quarter of the
// work, and the same ranking of dithers, which differ all over.
constexpr int Step = 2;
constexpr int SeenColumns = CanvasColumns / Step;
constexpr std::size_t SeenAt(int x, int y) { return static_cast<std::size_t>(y / Step) * SeenColumns + static_cast<std::size_t>(x / Step); }

// colourAt(at): the colour of target pixel at (row by row); the edges repeat outward. The
// colours seen at every Step-th pixel of every Step-th row, by SeenAt.
template <typename ColourAt>
std::vector<Lab> Seen(const ColourAt& colourAt) {
    std::vector<LinearRgb> across(TargetPixelCount);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            LinearRgb sum;
            for (int k = -1; k <= 1; ++k) {
                const int from = std::clamp(x + k, 0, CanvasColumns - 1);
                sum = Weighted(sum, colourAt(NearestTarget::At(from, y)), Across[static_cast<std::size_t>(k + 1)]);
            }
            across[NearestTarget::At(x, y)] = sum;
        }
    }
    std::vector<Lab> seen(TargetPixelCount / (Step * Step));
    for (int y = 0; y < CanvasRows; y += Step) {
        for (int x = 0; x < CanvasColumns; x += Step) {
            LinearRgb sum;
            for (int k = -2; k <= 2; ++k) {
                const int from = std::clamp(y + k, 0, CanvasRows - 1);
                sum = Weighted(sum, across[NearestTarget::At(x, from)], Down[static_cast<std::size_t>(k + 2)]);
            }
            seen[SeenAt(x, y)] = LabOf(sum);
        }
    }
    return seen;
}

}  // namespace

std::vector<Lab> SeenTarget(const NearestTarget& target, LinearRgb background) {
    return Seen([&](std::size_t at) { return target.Inside(at) ? target.colours[at] : background; });
}

double SeenDistance(const NearestTarget& target, std::span<const Lab> targetSeen, const Canvas& canvas,
                    const ShownColours& shown) {
    const std::vector<Lab> seen = Seen([&](std::size_t at) {
        return shown.linear[canvas[CanvasIndex(static_cast<int>(at % CanvasColumns), static_cast<int>(at / CanvasColumns))]];
    });
    double sum = 0;
    std::size_t count = 0;
    for (int y = 0; y < CanvasRows; y += Step) {
        for (int x = 0; x < CanvasColumns; x += Step) {
            if (!target.Inside(NearestTarget::At(x, y))) continue;
            sum += std::sqrt(LabDistanceSquared(seen[SeenAt(x, y)], targetSeen[SeenAt(x, y)]));
            ++count;
        }
    }
    return count == 0 ? 0.0 : sum / static_cast<double>(count);
}

}  // namespace pxm

#include "core/import/screenshot_border.h"

#include <array>
#include <cstdlib>

namespace pxm {

namespace {

// A JPEG's 8 x 8 blocks that straddle the edge of the picture carry its colours into the border.
constexpr int EdgeMargin = 8;
// How far a border pixel may stray from the border's colour in each of red, green and blue (a
// quality-30 JPEG of a flat border, full or halved chroma, stays within that), and how many may
// stray farther.
constexpr int ChannelTolerance = 24;
constexpr double StrayShare = 0.01;

// Calls visit with the colour of every pixel of the border beyond the margin.
template <class Visit>
void ForEachBorderPixel(const DecodedPicture& picture, const PictureArea& inner, Visit visit) {
    for (int y = 0; y < picture.height; ++y) {
        const bool besideInner = y >= inner.top - EdgeMargin && y < inner.top + inner.height + EdgeMargin;
        for (int x = 0; x < picture.width; ++x) {
            if (besideInner && x >= inner.left - EdgeMargin && x < inner.left + inner.width + EdgeMargin) continue;
            visit(picture.rgb[picture.At(x, y)]);
        }
    }
}

// The median of each channel: the border's colour, whatever a few stray pixels hold.
Rgb MedianColour(const std::array<std::array<std::size_t, 256>, 3>& counts, std::size_t total) {
    std::array<std::uint8_t, 3> median{};
    for (std::size_t c = 0; c < 3; ++c) {
        std::size_t below = 0;
        std::size_t v = 0;
        while (v < 255 && (below += counts[c][v]) <= total / 2) ++v;
        median[c] = static_cast<std::uint8_t>(v);
    }
    return {median[0], median[1], median[2]};
}

}  // namespace

std::optional<Rgb> OneBorderColour(const DecodedPicture& picture, const PictureArea& inner) {
    std::array<std::array<std::size_t, 256>, 3> counts{};
    std::size_t total = 0;
    ForEachBorderPixel(picture, inner, [&](Rgb c) {
        ++counts[0][c.r];
        ++counts[1][c.g];
        ++counts[2][c.b];
        ++total;
    });
    if (total == 0) return std::nullopt;
    const Rgb border = MedianColour(counts, total);
    std::size_t stray = 0;
    ForEachBorderPixel(picture, inner, [&](Rgb c) {
        stray += std::abs(c.r - border.r) > ChannelTolerance || std::abs(c.g - border.g) > ChannelTolerance ||
                 std::abs(c.b - border.b) > ChannelTolerance;
    });
    if (static_cast<double>(stray) > StrayShare * static_cast<double>(total)) return std::nullopt;
    return border;
}

}  // namespace pxm

#include "core/nearest/cell_search.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

#include "core/nearest/colour_space.h"

namespace pxm {

namespace {

constexpr int CellPixels = 32;
constexpr std::int16_t Far = std::numeric_limits<std::int16_t>::max();
// The search takes the colours nearest to some pixel of the cell, at most this many; the best set
// seldom holds a colour no pixel has among its three nearest, and never one that is further.
constexpr std::size_t MaxCandidates = 8;
// A pixel's nearest colour outweighs any number of second nearest, and those any number of
// third: a colour nearest to one pixel is always a candidate before one that is nearest to none.
constexpr std::array<int, 3> VoteWeights{32 * 32 * 33, 33, 1};

using Column = std::array<std::int16_t, CellPixels>;

struct CellDistances {
    std::array<Column, 16> to{};  // to[c][p]: pixel p to colour c, for the candidates and the colour asked for
    std::array<std::uint8_t, MaxCandidates> candidates{};
    std::size_t candidateCount = 0;
};

std::int32_t Sum(const Column& column) {
    std::int32_t sum = 0;
    for (const std::int16_t v : column) sum += v;
    return sum;
}

Column Min(const Column& x, const Column& y) {
    Column m;
    for (std::size_t p = 0; p < m.size(); ++p) m[p] = std::min(x[p], y[p]);
    return m;
}

// The colour's column: each pixel's difference to it; 0 for a pixel outside the picture.
void FillColumn(const PixelDifferences& pixels, int cell, std::uint8_t colour, Column& column) {
    for (int p = 0; p < CellPixels; ++p) {
        const ColourDifferences* pixel = pixels[CellPixelAt(cell, p)];
        column[static_cast<std::size_t>(p)] = pixel != nullptr ? pixel->to[colour] : std::int16_t{0};
    }
}

// The candidates (the colours the cell's pixels have nearest) and their columns, and the column
// of `also` (a background to weigh), in 16 bits (see PaletteDistances), so that the search's
// minima run 16 pixels to an instruction.
CellDistances MeasureCell(const PixelDifferences& pixels, ColourSet usable, int cell, std::optional<std::uint8_t> also) {
    CellDistances cell_{};
    std::array<int, 16> votes{};
    for (int p = 0; p < CellPixels; ++p) {
        const ColourDifferences* pixel = pixels[CellPixelAt(cell, p)];
        if (pixel == nullptr) continue;
        std::size_t k = 0;
        for (const std::uint8_t c : pixel->nearest) {
            if (!Holds(usable, c)) continue;
            votes[c] += VoteWeights[k];
            if (++k == VoteWeights.size()) break;
        }
    }
    // The colours by votes, most first, of equal votes the lower number (an insertion sort: sixteen).
    std::array<std::uint8_t, 16> order{};
    for (std::size_t c = 0; c < 16; ++c) {
        std::size_t k = c;
        for (; k > 0 && votes[order[k - 1]] < votes[c]; --k) order[k] = order[k - 1];
        order[k] = static_cast<std::uint8_t>(c);
    }
    for (const std::uint8_t c : order) {
        if (votes[c] == 0 || cell_.candidateCount == MaxCandidates) break;
        cell_.candidates[cell_.candidateCount++] = c;
        FillColumn(pixels, cell, c, cell_.to[c]);
    }
    if (also) FillColumn(pixels, cell, *also, cell_.to[*also]);
    return cell_;
}

struct Choice {
    std::int32_t cost = std::numeric_limits<std::int32_t>::max();
    ColourSet colours = 0;
};

// A mixture of two colours, as a dither mixes them, leaves a texture the eye sees, the more the
// further apart they are: at an even mixture this share of their difference. Measured over the
// 72 photographs and drawings of docs/performance.md: 0.05 to 0.15 alike; with none, grainy
// pictures (grass, gravel) took mixtures of black and white for every grey.
constexpr float MixTexture = 0.1f;
// Colours further apart than this (CIEDE2000) are no mixture: the triangle of differences no
// longer tells how near their mixture comes (black and white seemed to make every blue-grey),
// and the eye sees two colours. Measured as above: 45 nearer than 30, 60 or none.
constexpr float MostMixedGap = 45 * DifferenceScale;

// Each pixel's difference from the nearer of two colours, or, with their difference (gap) given
// and small enough, from the best mixture of them: its distance from the line between them (by
// the triangle its differences to them and theirs to each other make) and the mixture's texture.
Column NearerOrMixed(const Column& a, const Column& b, std::optional<float> gap) {
    Column m = Min(a, b);
    if (!gap || *gap <= 0 || *gap > MostMixedGap) return m;
    // Without branches, so that it runs several pixels to an instruction.
    const float g = *gap;
    const float perGap = 1 / g;
    for (std::size_t p = 0; p < m.size(); ++p) {
        const float pa = a[p];
        const float pb = b[p];
        const float share = (pa * pa + g * g - pb * pb) * 0.5f * perGap * perGap;  // along the line, 0 to 1
        const float along = share * g;
        const float mixed = std::sqrt(std::max(pa * pa - along * along, 0.0f)) + MixTexture * g * 4 * share * (1 - share);
        const bool between = share > 0 && share < 1;
        m[p] = between && mixed < m[p] ? static_cast<std::int16_t>(mixed) : m[p];
    }
    return m;
}

// The best set of up to three candidates (besides the background) from those in `allowed`,
// every pixel taking its nearest colour, or with mixing given, also a mixture of two.
Choice BestThree(const CellDistances& cell, std::uint8_t background, ColourSet allowed, const PaletteGaps* mixing) {
    std::array<std::uint8_t, MaxCandidates> list{};
    std::size_t n = 0;
    for (std::size_t k = 0; k < cell.candidateCount; ++k) {
        if (Holds(allowed, cell.candidates[k])) list[n++] = cell.candidates[k];
    }
    const Column& base = cell.to[background];
    const auto gap = [&](std::uint8_t x, std::uint8_t y) {
        return mixing != nullptr ? std::optional<float>((*mixing)[x][y]) : std::nullopt;
    };
    // Each candidate with the background, and each two candidates together.
    std::array<Column, MaxCandidates> withBackground{};
    std::array<std::array<Column, MaxCandidates>, MaxCandidates> pair{};
    for (std::size_t a = 0; a < n; ++a) {
        withBackground[a] = NearerOrMixed(base, cell.to[list[a]], gap(background, list[a]));
        for (std::size_t b = a + 1; b < n; ++b) pair[a][b] = NearerOrMixed(cell.to[list[a]], cell.to[list[b]], gap(list[a], list[b]));
    }
    Choice best{Sum(base), 0};
    const auto consider = [&](const Column& shown, ColourSet colours) {
        const std::int32_t cost = Sum(shown);
        if (cost < best.cost) best = {cost, colours};
    };
    for (std::size_t a = 0; a < n; ++a) {
        const Column& ma = withBackground[a];
        const auto sa = static_cast<ColourSet>(1u << list[a]);
        if (n == 1) consider(ma, sa);
        for (std::size_t b = a + 1; b < n; ++b) {
            const Column mb = Min(Min(ma, withBackground[b]), pair[a][b]);
            const auto sb = static_cast<ColourSet>(sa | 1u << list[b]);
            if (n == 2) consider(mb, sb);
            for (std::size_t c = b + 1; c < n; ++c)
                consider(Min(Min(Min(mb, withBackground[c]), pair[a][c]), pair[b][c]), static_cast<ColourSet>(sb | 1u << list[c]));
        }
    }
    return best;
}

Column Nowhere() {
    Column far;
    far.fill(Far);
    return far;
}

// A cell's least cost with each colour as the background (three further candidates at most) and
// with none that helps (a background no pixel of the cell has near serves it as none would).
struct CellCosts {
    std::array<std::int32_t, 16> with{};
};

// Every set of up to four candidates once: a set costs the same whichever of its colours is the
// background, so one sum serves each of them, and its subsets without a background.
CellCosts CostsOfCell(const CellDistances& cell, const ModeColours& mode) {
    const std::size_t n = cell.candidateCount;
    const auto& list = cell.candidates;
    std::int32_t without = Sum(Nowhere());
    std::array<std::int32_t, 16> with;
    with.fill(std::numeric_limits<std::int32_t>::max());
    const auto weigh = [&](const Column& shown, ColourSet set, int size) {
        const std::int32_t cost = Sum(shown);
        if (size <= 3 && (set & ~mode.cellColours) == 0) without = std::min(without, cost);
        for (ColourSet rest = set; rest != 0; rest &= static_cast<ColourSet>(rest - 1)) {
            const int b = std::countr_zero(rest);
            const auto others = static_cast<ColourSet>(set & ~(1u << b));
            if (Holds(mode.backgrounds, b) && (others & ~mode.cellColours) == 0) with[static_cast<std::size_t>(b)] = std::min(with[static_cast<std::size_t>(b)], cost);
        }
    };
    for (std::size_t a = 0; a < n; ++a) {
        const Column& ma = cell.to[list[a]];
        const auto sa = static_cast<ColourSet>(1u << list[a]);
        weigh(ma, sa, 1);
        for (std::size_t b = a + 1; b < n; ++b) {
            const Column mb = Min(ma, cell.to[list[b]]);
            const auto sb = static_cast<ColourSet>(sa | 1u << list[b]);
            weigh(mb, sb, 2);
            for (std::size_t c = b + 1; c < n; ++c) {
                const Column mc = Min(mb, cell.to[list[c]]);
                const auto sc = static_cast<ColourSet>(sb | 1u << list[c]);
                weigh(mc, sc, 3);
                for (std::size_t d = c + 1; d < n; ++d)
                    weigh(Min(mc, cell.to[list[d]]), static_cast<ColourSet>(sc | 1u << list[d]), 4);
            }
        }
    }
    CellCosts costs;
    for (std::size_t b = 0; b < 16; ++b) costs.with[b] = std::min(with[b], without);
    return costs;
}

}  // namespace

std::uint8_t ChooseBackground(const PixelDifferences& pixels, const ModeColours& mode, SecondThread* second) {
    if (std::has_single_bit(mode.backgrounds)) return static_cast<std::uint8_t>(std::countr_zero(mode.backgrounds));
    // A background no pixel of a cell has near serves that cell as no background would.
    // Each thread's sums, of whichever cells it took: whole numbers, so the totals are the same.
    std::array<std::array<std::int64_t, 16>, 2> sums{};
    const ColourSet usable = mode.backgrounds | mode.cellColours;
    ShareOut(second, 0, CellCount, CellColumns, [&](Part cells) {
        for (int cell = cells.first; cell < cells.end; ++cell) {
            const CellCosts costs = CostsOfCell(MeasureCell(pixels, usable, cell, std::nullopt), mode);
            for (std::size_t b = 0; b < 16; ++b) sums[cells.thread][b] += costs.with[b];
        }
    });
    std::array<std::int64_t, 16> total{};
    for (std::size_t b = 0; b < 16; ++b) total[b] = sums[0][b] + sums[1][b];
    std::uint8_t best = 0;
    for (std::uint8_t b = 0; b < 16; ++b) {
        if (Holds(mode.backgrounds, b) && (!Holds(mode.backgrounds, best) || total[b] < total[best])) best = b;
    }
    return best;
}

PaletteGaps PaletteGapsOf(const ShownColours& shown) {
    PaletteGaps gaps{};
    for (std::size_t a = 0; a < gaps.size(); ++a) {
        for (std::size_t b = 0; b < gaps.size(); ++b)
            gaps[a][b] = static_cast<float>(Ciede2000(shown.lab[a], shown.lab[b])) * DifferenceScale;
    }
    return gaps;
}

CellColourSets ChooseCellColours(const PixelDifferences& pixels, const ModeColours& mode, std::uint8_t background,
                                 const PaletteGaps* mixing, SecondThread* second) {
    CellColourSets sets(CellCount);
    const auto others = static_cast<ColourSet>(mode.cellColours & ~(1u << background));
    ShareOut(second, 0, CellCount, CellColumns, [&](Part cells) {
        for (int cell = cells.first; cell < cells.end; ++cell) {
            const CellDistances measured = MeasureCell(pixels, others, cell, background);
            const Choice choice = BestThree(measured, background, others, mixing);
            sets[static_cast<std::size_t>(cell)] = static_cast<ColourSet>(choice.colours | 1u << background);
        }
    });
    return sets;
}

}  // namespace pxm

#include "core/nearest/fewest_changes.h"

#include <bit>
#include <limits>

namespace pxm {

namespace {

constexpr int CellPixels = 32;

// How a choice fares: changed pixels first, then how far the changed pixels moved.
struct Score {
    int changed = 0;
    int distance = 0;
    friend bool operator<(const Score& x, const Score& y) {
        return x.changed != y.changed ? x.changed < y.changed : x.distance < y.distance;
    }
};

struct CellArt {
    std::array<std::uint8_t, CellPixels> held{};
    std::array<std::array<std::int16_t, 16>, CellPixels> distance{};  // to each colour (PaletteDistances)
    std::array<int, 16> count{};                               // pixels holding each colour
    int inside = 0;
};

CellArt GatherArt(const NearestTarget& target, PaletteDistances& distances, int cell) {
    CellArt art;
    for (int p = 0; p < CellPixels; ++p) {
        const std::size_t at = CellPixelAt(cell, p);
        const auto k = static_cast<std::size_t>(p);
        art.held[k] = target.held[at];
        if (!target.Inside(at)) continue;
        ++art.inside;
        if (art.held[k] < 16) ++art.count[art.held[k]];
        art.distance[k] = distances.To(target.colours[at]);
    }
    return art;
}

// The colour a pixel shows when the cell keeps `kept`: its own, else the nearest kept.
std::uint8_t ShownPixel(const CellArt& art, std::size_t p, ColourSet kept) {
    if (art.held[p] < 16 && Holds(kept, art.held[p])) return art.held[p];
    std::uint8_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (ColourSet s = kept; s != 0; s &= static_cast<ColourSet>(s - 1)) {
        const auto c = static_cast<std::uint8_t>(std::countr_zero(s));
        if (art.distance[p][c] < bestDistance) {
            bestDistance = art.distance[p][c];
            best = c;
        }
    }
    return best;
}

Score ScoreOf(const CellArt& art, ColourSet kept) {
    Score score;
    for (std::size_t p = 0; p < CellPixels; ++p) {
        if (art.held[p] == OutsidePicture || (art.held[p] < 16 && Holds(kept, art.held[p]))) continue;
        ++score.changed;
        score.distance += art.distance[p][ShownPixel(art, p, kept)];
    }
    return score;
}

struct CellBest {
    Score score;
    ColourSet kept = 0;
};

// The exact best for one cell and background. With three or more of its colours allowed, the
// fewest changes keep three of them (a colour no pixel holds saves none); with fewer, they all
// stay and the free places go to the colours that bring the changed pixels nearest.
CellBest BestForCell(const CellArt& art, std::uint8_t background, ColourSet allowed) {
    const auto backgroundSet = static_cast<ColourSet>(1u << background);
    ColourSet present = 0;
    for (int c = 0; c < 16; ++c) {
        if (art.count[static_cast<std::size_t>(c)] > 0 && Holds(allowed, c)) present = static_cast<ColourSet>(present | 1u << c);
    }
    const int keptPixels = art.count[background] + [&] {
        int n = 0;
        for (int c = 0; c < 16; ++c) n += Holds(present, c) ? art.count[static_cast<std::size_t>(c)] : 0;
        return n;
    }();
    if (std::popcount(present) <= 3 && keptPixels == art.inside)
        return {{}, static_cast<ColourSet>(present | backgroundSet)};

    const ColourSet pool = std::popcount(present) >= 3 ? present : allowed;
    std::array<std::uint8_t, 16> list{};
    std::size_t n = 0;
    for (ColourSet s = pool; s != 0; s &= static_cast<ColourSet>(s - 1)) list[n++] = static_cast<std::uint8_t>(std::countr_zero(s));
    CellBest best{{std::numeric_limits<int>::max(), 0}, backgroundSet};
    const auto consider = [&](ColourSet chosen) {
        const auto kept = static_cast<ColourSet>(chosen | backgroundSet);
        if (const Score score = ScoreOf(art, kept); score < best.score) best = {score, kept};
    };
    if (n < 3) {
        consider(pool);
        return best;
    }
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            for (std::size_t c = b + 1; c < n; ++c)
                consider(static_cast<ColourSet>(1u << list[a] | 1u << list[b] | 1u << list[c]));
        }
    }
    return best;
}

}  // namespace

FewestChanges FindFewestChanges(const NearestTarget& target, PaletteDistances& distances, const ModeColours& mode,
                                Canvas& canvas) {
    std::vector<CellArt> cells;
    cells.reserve(CellCount);
    for (int cell = 0; cell < CellCount; ++cell) cells.push_back(GatherArt(target, distances, cell));

    FewestChanges result;
    Score bestTotal{std::numeric_limits<int>::max(), 0};
    std::vector<CellBest> best(CellCount);
    for (int b = 0; b < 16; ++b) {
        if (!Holds(mode.backgrounds, b)) continue;
        const auto background = static_cast<std::uint8_t>(b);
        const auto allowed = static_cast<ColourSet>(mode.cellColours & ~(1u << b));
        Score total;
        for (std::size_t cell = 0; cell < cells.size() && !(bestTotal < total); ++cell) {
            best[cell] = BestForCell(cells[cell], background, allowed);
            total.changed += best[cell].score.changed;
            total.distance += best[cell].score.distance;
        }
        if (!(total < bestTotal)) continue;
        bestTotal = total;
        result.background = background;
        result.sets.resize(CellCount);
        for (std::size_t cell = 0; cell < cells.size(); ++cell) result.sets[cell] = best[cell].kept;
    }

    result.changedPixels = bestTotal.changed;
    for (int cell = 0; cell < CellCount; ++cell) {
        const CellArt& art = cells[static_cast<std::size_t>(cell)];
        const ColourSet kept = result.sets[static_cast<std::size_t>(cell)];
        bool changed = false;
        for (int p = 0; p < CellPixels; ++p) {
            const auto k = static_cast<std::size_t>(p);
            const std::uint8_t colour = art.held[k] == OutsidePicture ? result.background : ShownPixel(art, k, kept);
            changed = changed || (art.held[k] != OutsidePicture && colour != art.held[k]);
            canvas[CanvasIndex(4 * (cell % CellColumns) + p % 4, 8 * (cell / CellColumns) + p / 4)] = colour;
        }
        result.changedCells += changed ? 1 : 0;
    }
    return result;
}

}  // namespace pxm

#include "core/import/colour_assignment.h"

#include <cassert>
#include <limits>

namespace pxm {

namespace {

// Each colour on its cheapest entry: no assignment costs less, and when no two colours chose the
// same entry it is the assignment (as for every picture in a known palette).
Assignment CheapestEntries(std::span<const EntryCosts> rows, bool& distinct) {
    Assignment cheapest;
    std::uint32_t taken = 0;
    distinct = true;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::size_t best = 0;
        for (std::size_t e = 1; e < PaletteEntries; ++e) {
            if (rows[i][e] < rows[i][best]) best = e;
        }
        cheapest.entryOf[i] = static_cast<std::uint8_t>(best);
        cheapest.total += rows[i][best];
        if ((taken >> best & 1u) != 0) distinct = false;
        taken |= 1u << best;
    }
    return cheapest;
}

// The Hungarian method: colours join one at a time; each join follows the cheapest chain of
// reassignments (a shortest path under the potentials u, v) to a free entry. Index 0 of the
// entries is the chain's start; colours and entries count from 1.
Assignment Hungarian(std::span<const EntryCosts> rows) {
    constexpr double Infinite = std::numeric_limits<double>::infinity();
    constexpr std::size_t M = PaletteEntries;
    std::array<double, M + 1> u{};
    std::array<double, M + 1> v{};
    std::array<std::size_t, M + 1> colourOn{};  // by entry: the colour there, 0 none
    std::array<std::size_t, M + 1> way{};
    for (std::size_t i = 1; i <= rows.size(); ++i) {
        colourOn[0] = i;
        std::size_t free = 0;
        std::array<double, M + 1> slack;
        slack.fill(Infinite);
        std::array<bool, M + 1> visited{};
        do {
            visited[free] = true;
            const std::size_t colour = colourOn[free];
            double delta = Infinite;
            std::size_t next = 0;
            for (std::size_t e = 1; e <= M; ++e) {
                if (visited[e]) continue;
                const double reduced = rows[colour - 1][e - 1] - u[colour] - v[e];
                if (reduced < slack[e]) {
                    slack[e] = reduced;
                    way[e] = free;
                }
                if (slack[e] < delta) {
                    delta = slack[e];
                    next = e;
                }
            }
            for (std::size_t e = 0; e <= M; ++e) {
                if (visited[e]) {
                    u[colourOn[e]] += delta;
                    v[e] -= delta;
                } else {
                    slack[e] -= delta;
                }
            }
            free = next;
        } while (colourOn[free] != 0);
        do {
            const std::size_t before = way[free];
            colourOn[free] = colourOn[before];
            free = before;
        } while (free != 0);
    }
    Assignment assignment;
    for (std::size_t e = 1; e <= M; ++e) {
        if (colourOn[e] != 0) assignment.entryOf[colourOn[e] - 1] = static_cast<std::uint8_t>(e - 1);
    }
    for (std::size_t i = 0; i < rows.size(); ++i) assignment.total += rows[i][assignment.entryOf[i]];
    return assignment;
}

}  // namespace

std::optional<Assignment> LeastCostAssignment(std::span<const EntryCosts> rows, double below) {
    assert(rows.size() <= PaletteEntries);
    bool distinct = false;
    Assignment cheapest = CheapestEntries(rows, distinct);
    if (cheapest.total >= below) return std::nullopt;
    if (distinct) return cheapest;
    Assignment assignment = Hungarian(rows);
    if (assignment.total >= below) return std::nullopt;
    return assignment;
}

}  // namespace pxm

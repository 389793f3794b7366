#include "core/import/colour_assignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

constexpr double Unbounded = std::numeric_limits<double>::infinity();

// The least total by trying every one-to-one assignment (few colours only).
double LeastTotalByExhaustion(const std::vector<EntryCosts>& rows, std::size_t row = 0, std::uint32_t taken = 0) {
    if (row == rows.size()) return 0;
    double best = Unbounded;
    for (std::size_t e = 0; e < PaletteEntries; ++e) {
        if ((taken >> e & 1u) != 0) continue;
        best = std::min(best, rows[row][e] + LeastTotalByExhaustion(rows, row + 1, taken | 1u << e));
    }
    return best;
}

TEST(LeastCostAssignment, EqualsTheExhaustiveSearchWhenColoursWantTheSameEntries) {
    test::Random random(20261208);
    for (int round = 0; round < 300; ++round) {
        const std::size_t colours = 1 + static_cast<std::size_t>(random.below(4));
        // Costs from a few values and a favourite entry shared by all colours, so that the
        // cheapest entries collide and the Hungarian method has to work.
        std::vector<EntryCosts> rows(colours);
        const int favourite = random.below(16);
        for (EntryCosts& row : rows) {
            for (double& cost : row) cost = 10 + random.below(40);
            row[static_cast<std::size_t>(favourite)] = random.below(5);
        }
        SCOPED_TRACE("round " + std::to_string(round));
        const auto assignment = LeastCostAssignment(rows, Unbounded);
        ASSERT_TRUE(assignment.has_value());
        EXPECT_EQ(assignment->total, LeastTotalByExhaustion(rows));
        // One to one, and the total is the sum of the entries taken.
        std::uint32_t taken = 0;
        double total = 0;
        for (std::size_t c = 0; c < colours; ++c) {
            const std::uint8_t entry = assignment->entryOf[c];
            ASSERT_LT(entry, PaletteEntries);
            EXPECT_EQ(taken >> entry & 1u, 0u);
            taken |= 1u << entry;
            total += rows[c][entry];
        }
        EXPECT_EQ(total, assignment->total);
    }
}

TEST(LeastCostAssignment, SixteenColoursInReverseTakeEveryEntry) {
    // Colour c is cheapest on entry 15 - c, yet every colour's second choice is entry 0.
    std::vector<EntryCosts> rows(16);
    for (std::size_t c = 0; c < 16; ++c) {
        rows[c].fill(100);
        rows[c][0] = 2;
        rows[c][15 - c] = 1;
    }
    const auto assignment = LeastCostAssignment(rows, Unbounded);
    ASSERT_TRUE(assignment.has_value());
    EXPECT_EQ(assignment->total, 16);
    for (std::size_t c = 0; c < 16; ++c) EXPECT_EQ(assignment->entryOf[c], 15 - c);
}

TEST(LeastCostAssignment, NothingWhenNoAssignmentIsBelowTheBound) {
    // Both colours want entry 3: the cheapest entries sum to 2, the best assignment costs 6.
    std::vector<EntryCosts> rows(2);
    for (EntryCosts& row : rows) {
        row.fill(50);
        row[3] = 1;
    }
    rows[1][7] = 5;
    EXPECT_FALSE(LeastCostAssignment(rows, 2).has_value());
    EXPECT_FALSE(LeastCostAssignment(rows, 6).has_value());
    const auto below7 = LeastCostAssignment(rows, 7);
    ASSERT_TRUE(below7.has_value());
    EXPECT_EQ(below7->total, 6);
    EXPECT_EQ(below7->entryOf[0], 3);
    EXPECT_EQ(below7->entryOf[1], 7);
}

}  // namespace
}  // namespace pxm

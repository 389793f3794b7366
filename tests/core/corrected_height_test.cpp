#include "core/view/corrected_height.h"

#include <gtest/gtest.h>

namespace pxm {
namespace {

// Truncating the six-decimal factor: multiples of 7 come out one row short of 8/7.
TEST(Aspect, CorrectedHeights) {
    EXPECT_EQ(AspectCorrectedHeight(200), 228);
    EXPECT_EQ(AspectCorrectedHeight(1), 1);
    EXPECT_EQ(AspectCorrectedHeight(7), 7);
    EXPECT_EQ(AspectCorrectedHeight(8), 9);
    EXPECT_EQ(AspectCorrectedHeight(100), 114);
    EXPECT_EQ(AspectCorrectedHeight(175), 199);
    EXPECT_EQ(AspectCorrectedHeight(0), 0);
}

}  // namespace
}  // namespace pxm

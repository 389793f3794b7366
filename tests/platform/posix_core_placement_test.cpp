#include <gtest/gtest.h>

#include <sched.h>
#include <unistd.h>

#include <thread>

#include "platform/core_placement.h"

namespace pxm::platform {
namespace {

int AllowedCores() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    EXPECT_EQ(sched_getaffinity(0, sizeof cores, &cores), 0);
    return CPU_COUNT(&cores);
}

// A thread kept off a core runs elsewhere, and may run anywhere again once let go; where the
// process has one core only, nothing changes.
TEST(PosixCorePlacement, KeepsAThreadOffTheCoreGivenAndLetsItGo) {
    const CorePlacement placement = SecondThreadPlacement();
    ASSERT_NE(placement.current, nullptr);
    ASSERT_NE(placement.keepOff, nullptr);
    const int all = AllowedCores();
    const int core = placement.current();
    ASSERT_GE(core, 0);
    std::thread([&] {
        placement.keepOff(core);
        if (all > 1) {
            EXPECT_EQ(AllowedCores(), all - 1);
            EXPECT_NE(sched_getcpu(), core);
        } else {
            EXPECT_EQ(AllowedCores(), all);
        }
        placement.keepOff(-1);
        EXPECT_EQ(AllowedCores(), all);
    }).join();
}

}  // namespace
}  // namespace pxm::platform

#include "core/base/second_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <utility>
#include <thread>
#include <vector>

namespace pxm {
namespace {

// Where the build has threads, the second piece runs on another thread (on the caller's only
// when the other has not begun it by the time the first is done); with Threading::One, on the
// caller's. Either way both have run when SideBySide returns, many times over.
TEST(SecondThread, RunsBothPiecesOnTwoThreadsOrOne) {
    for (const Threading threading : {Threading::Two, Threading::One}) {
        SecondThread second(threading);
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
        EXPECT_FALSE(second.Started());
#else
        EXPECT_EQ(second.Started(), threading == Threading::Two);
#endif
        int here = 0;
        int there = 0;
        std::thread::id hereId;
        std::thread::id thereId;
        for (int round = 0; round < 1000; ++round) {
            second.SideBySide([&] { ++here, hereId = std::this_thread::get_id(); }, [&] { ++there, thereId = std::this_thread::get_id(); });
        }
        EXPECT_EQ(here, 1000);
        EXPECT_EQ(there, 1000);
        EXPECT_EQ(hereId, std::this_thread::get_id());
        if (!second.Started()) {
            EXPECT_EQ(thereId, hereId);
            continue;
        }
        // A first piece that waits for the second: the second thread takes it.
        std::atomic<bool> done = false;
        second.SideBySide(
            [&] {
                while (!done.load()) std::this_thread::yield();
            },
            [&] { thereId = std::this_thread::get_id(), done = true; });
        EXPECT_NE(thereId, hereId);
    }
}

// What either piece throws reaches the caller once both are done, and the thread serves on.
// (The page's build, as Emscripten builds by default, catches no exceptions.)
#if !defined(__EMSCRIPTEN__)
TEST(SecondThread, AThrowingPieceReachesTheCallerAfterTheOther) {
    for (const Threading threading : {Threading::Two, Threading::One}) {
        SecondThread second(threading);
        bool otherDone = false;
        EXPECT_THROW(second.SideBySide([&] { otherDone = true; }, [] { throw std::runtime_error("there"); }), std::runtime_error);
        EXPECT_TRUE(otherDone);
        otherDone = false;
        EXPECT_THROW(second.SideBySide([] { throw std::runtime_error("here"); }, [&] { otherDone = true; }), std::runtime_error);
        EXPECT_EQ(otherDone, second.Started());  // one after the other, the second never starts
        // Both throw: the first's is told, and nothing is left over for the next pair.
        EXPECT_THROW(second.SideBySide([] { throw std::logic_error("here"); }, [] { throw std::runtime_error("there"); }), std::logic_error);
        int served = 0;
        second.SideBySide([] {}, [&] { ++served; });
        EXPECT_EQ(served, 1);
    }
}
#endif

// The pieces cover the range once each, odd lengths and negative starts too, on two threads or
// one; and one piece may wait for what another counts.
TEST(SecondThread, PiecesCoverTheRangeAndMayWaitOnEachOther) {
    for (const Threading threading : {Threading::Two, Threading::One}) {
        SecondThread second(threading);
        for (const std::pair<int, int>& range : {std::pair{0, 200}, std::pair{-2, 202}, std::pair{0, 1}, std::pair{3, 3}}) {
            const int first = range.first;
            const int end = range.second;
            std::vector<int> taken(static_cast<std::size_t>(end - first + 1), 0);
            ShareOut(&second, first, end, 7, [&](Part part) {
                EXPECT_LE(part.end - part.first, 7);
                for (int i = part.first; i < part.end; ++i) ++taken[static_cast<std::size_t>(i - first)];
            });
            for (int i = first; i < end; ++i) EXPECT_EQ(taken[static_cast<std::size_t>(i - first)], 1) << i;
            EXPECT_EQ(taken.back(), 0);
        }
    }
    SecondThread second;
    if (!second.Started()) return;
    std::atomic<int> counted = 0;
    int seen = 0;
    second.SideBySide([&] { WaitUntilAtLeast(counted, 100), seen = counted.load(); },
                      [&] {
                          for (int i = 0; i < 100; ++i) counted.store(i + 1, std::memory_order_release);
                      });
    EXPECT_EQ(seen, 100);
}

#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
// A placement that records what it is asked, and holds the second thread where it starts until
// the test lets it go: a thread that has no core to run on yet.
struct Asked {
    std::atomic<bool> letGo = false;
    std::mutex mutex;
    std::vector<std::pair<std::thread::id, int>> keptOff;  // the thread asking, and the core
    std::thread::id currentAskedBy;
};
Asked asked;
int CoreSeven() {
    asked.currentAskedBy = std::this_thread::get_id();
    return 7;
}
void RecordKeepOff(int core) {
    {
        const std::lock_guard lock(asked.mutex);
        asked.keptOff.emplace_back(std::this_thread::get_id(), core);
    }
    while (!asked.letGo.load()) std::this_thread::yield();
}

// The second thread starts off the caller's core and is let go once it has its first piece;
// while it cannot run, the caller runs both pieces rather than wait for it.
TEST(SecondThread, StartsOffTheCallersCoreAndIsNotWaitedForWhileItCannotRun) {
    asked.letGo = false;
    asked.keptOff.clear();
    SecondThread second(Threading::Two, CorePlacement{CoreSeven, RecordKeepOff});
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(asked.currentAskedBy, std::this_thread::get_id());
    std::thread::id thereId;
    second.SideBySide([] {}, [&] { thereId = std::this_thread::get_id(); });  // held: taken back
    EXPECT_EQ(thereId, std::this_thread::get_id());
    asked.letGo = true;
    // Now free, the second thread takes pieces as they come: one that waits for it is taken.
    std::atomic<bool> taken = false;
    second.SideBySide([&] {
        while (!taken.load()) std::this_thread::yield();
    },
                      [&] { thereId = std::this_thread::get_id(), taken = true; });
    EXPECT_NE(thereId, std::this_thread::get_id());
    const std::lock_guard lock(asked.mutex);
    ASSERT_EQ(asked.keptOff.size(), 2u);
    EXPECT_EQ(asked.keptOff[0].second, 7);
    EXPECT_EQ(asked.keptOff[1].second, -1);
    EXPECT_EQ(asked.keptOff[0].first, thereId);
    EXPECT_EQ(asked.keptOff[1].first, thereId);
}
#endif

}  // namespace
}  // namespace pxm

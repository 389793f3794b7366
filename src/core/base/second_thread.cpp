#include "core/base/second_thread.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <exception>
#include <utility>

#if !defined(__EMSCRIPTEN__) || defined(__EMSCRIPTEN_PTHREADS__)
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#define PIXMOSAIC_HAS_THREADS 1
#endif

namespace pxm {

#ifdef PIXMOSAIC_HAS_THREADS

// A waiting thread looks for its next piece, and the caller for the piece's end, again and
// again for a while before it sleeps: on a virtual machine a sleeping thread takes a tenth of a
// millisecond to wake (measured), as long as a pass of the refinement may take in all, and the
// refinement hands a piece over every few tenths of a millisecond. After a few looks it gives
// its core away between looks: where there are more threads than cores (pictures converted
// side by side), the thread it waits for may be waiting for that core.
constexpr auto LookBeforeSleeping = std::chrono::milliseconds(2);
constexpr int LooksBeforeYielding = 256;
constexpr int LooksBetweenClockReadings = 64;

// Whether ready() came true before the time to sleep.
template <typename Ready>
bool LookUntil(const Ready& ready, std::chrono::steady_clock::time_point sleepAt) {
    for (int looks = 1; !ready(); ++looks) {
        if (looks < LooksBeforeYielding) continue;
        if (looks % LooksBetweenClockReadings == 0 && std::chrono::steady_clock::now() > sleepAt) return false;
        std::this_thread::yield();
    }
    return true;
}
template <typename Ready>
void LookUntil(const Ready& ready) {
    LookUntil(ready, std::chrono::steady_clock::time_point::max());
}

struct SecondThread::Shared {
    std::mutex mutex;
    std::condition_variable wake;  // the second thread, asleep
    std::atomic<const std::function<void()>*> piece = nullptr;  // handed over, not yet taken
    std::atomic<bool> working = false;
    std::atomic<bool> stopping = false;
    std::exception_ptr failed;  // the piece's, written before working is cleared
    CorePlacement placement;
    int callersCore = -1;
    std::thread thread;

    void Serve() {
        bool keptOff = placement.keepOff != nullptr && callersCore >= 0;
        if (keptOff) placement.keepOff(callersCore);
        for (;;) {
            const auto handed = [&] {
                return piece.load(std::memory_order_relaxed) != nullptr || stopping.load(std::memory_order_relaxed);
            };
            if (!LookUntil(handed, std::chrono::steady_clock::now() + LookBeforeSleeping)) {
                std::unique_lock lock(mutex);
                wake.wait(lock, handed);
            }
            const std::function<void()>* taken = piece.exchange(nullptr, std::memory_order_acquire);
            if (taken == nullptr) {
                if (stopping.load(std::memory_order_relaxed)) return;
                continue;  // taken back by the caller
            }
            // Off the caller's core now, it stays off unless the system has reason to move it.
            if (std::exchange(keptOff, false)) placement.keepOff(-1);
            try {
                (*taken)();
            } catch (...) {
                failed = std::current_exception();
            }
            working.store(false, std::memory_order_release);
        }
    }

    void WaitForPiece() const {
        LookUntil([&] { return !working.load(std::memory_order_acquire); });
    }
};

SecondThread::SecondThread(Threading threading, CorePlacement placement) : shared_(std::make_unique<Shared>()) {
    if (threading == Threading::One) return;
    shared_->placement = placement;
    if (placement.current != nullptr) shared_->callersCore = placement.current();
    try {
        shared_->thread = std::thread([shared = shared_.get()] { shared->Serve(); });
    } catch (const std::system_error&) {
        // No thread to be had: the pieces run one after the other.
    }
}

SecondThread::~SecondThread() {
    if (!shared_->thread.joinable()) return;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->wake.notify_all();
    shared_->thread.join();
}

void SecondThread::SideBySide(const std::function<void()>& here, const std::function<void()>& there) {
    Shared& shared = *shared_;
    if (!shared.thread.joinable()) {
        here();
        there();
        return;
    }
    shared.working.store(true, std::memory_order_relaxed);
    {
        const std::lock_guard lock(shared.mutex);
        shared.piece.store(&there, std::memory_order_release);
    }
    shared.wake.notify_one();
    // The second piece is waited for even when the first throws: it works on the caller's data.
    try {
        here();
    } catch (...) {
        shared.WaitForPiece();
        shared.failed = nullptr;  // the first piece's failure is the one told
        throw;
    }
    // A second thread that has not taken its piece yet may have no core to run on for a while
    // (on a virtual machine it may share the caller's for some milliseconds, until the system
    // moves it): the piece is taken back and run here rather than waited for.
    if (shared.piece.exchange(nullptr, std::memory_order_acquire) != nullptr) {
        shared.working.store(false, std::memory_order_relaxed);
        there();
        return;
    }
    shared.WaitForPiece();
    if (shared.failed) std::rethrow_exception(std::exchange(shared.failed, nullptr));
}

bool SecondThread::Started() const { return shared_->thread.joinable(); }

void WaitUntilAtLeast(const std::atomic<int>& count, int least) {
    LookUntil([&] { return count.load(std::memory_order_acquire) >= least; });
}

#else

struct SecondThread::Shared {};
bool SecondThread::Started() const { return false; }
void WaitUntilAtLeast([[maybe_unused]] const std::atomic<int>& count, [[maybe_unused]] int least) {
    // Without a second thread nothing else counts: only a count already reached can be waited for.
    assert(count.load() >= least);
}
SecondThread::SecondThread(Threading, CorePlacement) {}
SecondThread::~SecondThread() = default;
void SecondThread::SideBySide(const std::function<void()>& here, const std::function<void()>& there) {
    here();
    there();
}

#endif

void ShareOut(SecondThread* second, int first, int end, int piece, const std::function<void(Part)>& each) {
    if (second == nullptr) {
        for (int at = first; at < end; at += piece) each({0, at, std::min(at + piece, end)});
        return;
    }
    std::atomic<int> next = first;
    const auto take = [&](std::size_t thread) {
        for (int at = next.fetch_add(piece); at < end; at = next.fetch_add(piece)) each({thread, at, std::min(at + piece, end)});
    };
    second->SideBySide([&] { take(0); }, [&] { take(1); });
}

}  // namespace pxm

#pragma once
// A second thread kept for one conversion, for the pieces of work that split in two: started
// once, handed one pair of pieces after another (waking a waiting thread costs far less than
// starting one, and a pass of the refinement may take only a tenth of a millisecond).
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>

namespace pxm {

// One: the pieces run one after the other on the calling thread (where the caller already keeps
// every core busy, as a batch does).
enum class Threading { Two, One };

// Where the second thread runs, as far as the program can tell the system (standard C++ has no
// word for it). Left to itself, a system may start the thread on the caller's core and leave it
// there for milliseconds while another core idles (measured on a virtual machine of two cores,
// pictures converted one after another: every other time). current: the core the calling thread
// runs on, or -1; keepOff(core): the calling thread runs on any core of the process's but that
// one, or on any of them again for -1.
struct CorePlacement {
    int (*current)() = nullptr;
    void (*keepOff)(int core) = nullptr;
};

class SecondThread {
public:
    // placement: where given, the second thread starts off the caller's core and is let go
    // anywhere once it has its first piece.
    explicit SecondThread(Threading threading = Threading::Two, CorePlacement placement = {});
    ~SecondThread();
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // here() on the calling thread and there() on the second, at once; back when both are done,
    // rethrowing what either threw. Where the second thread has not begun there() by the time
    // here() is done, there() runs after it on the calling thread. The pieces must touch nothing
    // in common: where no second thread could be had (a build without threads, as the page's
    // WebAssembly is; a system out of them), they run one after the other, and the result must
    // be the same.
    void SideBySide(const std::function<void()>& here, const std::function<void()>& there);
    // Whether there is a second thread: here() may wait for what there() counts
    // (WaitUntilAtLeast) only with one. there() may always wait for here().
    bool Started() const;

private:
    struct Shared;
    std::unique_ptr<Shared> shared_;
};

// Waits, spinning, until another thread has counted up to least (a count it stores with release).
void WaitUntilAtLeast(const std::atomic<int>& count, int least);

// [first, end) in pieces of `piece` (the last may be shorter), each taken by whichever thread
// comes free first, or all in order on the calling thread where second is null: each(part),
// part.thread 0 on the calling thread and 1 on the second. Pieces must be independent.
struct Part {
    std::size_t thread;
    int first;
    int end;
};
void ShareOut(SecondThread* second, int first, int end, int piece, const std::function<void(Part)>& each);

}  // namespace pxm

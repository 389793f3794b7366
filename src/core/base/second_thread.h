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

class SecondThread {
public:
    explicit SecondThread(Threading threading = Threading::Two);
    ~SecondThread();
    SecondThread(const SecondThread&) = delete;
    SecondThread& operator=(const SecondThread&) = delete;

    // here() on the calling thread and there() on the second, at once; back when both are done,
    // rethrowing what either threw. The pieces must touch nothing in common: where no second
    // thread could be had (a build without threads, as the page's WebAssembly is; a system out
    // of them), they run one after the other, and the result must be the same.
    void SideBySide(const std::function<void()>& here, const std::function<void()>& there);
    // Whether there is a second thread: work whose pieces wait on each other (WaitUntilAtLeast)
    // must not be handed to SideBySide without one.
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

#include "platform/core_placement.h"

#if defined(__linux__)
#include <sched.h>
#include <unistd.h>
#endif

namespace pxm::platform {

#if defined(__linux__)

namespace {

int CurrentCore() { return sched_getcpu(); }

// The process's cores (its first thread's: a thread's own may have been narrowed here before),
// less the one given; nothing is changed where that would leave none.
void KeepOff(int core) {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    if (sched_getaffinity(getpid(), sizeof cores, &cores) != 0) return;
    if (core >= 0 && core < CPU_SETSIZE) {
        CPU_CLR(core, &cores);
        if (CPU_COUNT(&cores) == 0) return;
    }
    sched_setaffinity(0, sizeof cores, &cores);
}

}  // namespace

CorePlacement SecondThreadPlacement() { return {CurrentCore, KeepOff}; }

#else

CorePlacement SecondThreadPlacement() { return {}; }

#endif

}  // namespace pxm::platform

#include "platform/thread_setup.h"

#include <objbase.h>

namespace pxm::platform {

// Without COM the Windows Imaging Component cannot be created; the decoders then report it.
ThreadSetup::ThreadSetup()
    : comStarted_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_DISABLE_OLE1DDE))) {}

ThreadSetup::~ThreadSetup() {
    if (comStarted_) CoUninitialize();
}

}  // namespace pxm::platform

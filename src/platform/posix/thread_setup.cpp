#include "platform/thread_setup.h"

namespace pxm::platform {

ThreadSetup::ThreadSetup() = default;
ThreadSetup::~ThreadSetup() = default;

}  // namespace pxm::platform

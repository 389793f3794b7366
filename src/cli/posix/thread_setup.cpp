#include "cli/thread_setup.h"

namespace pxm::cli {

ThreadSetup::ThreadSetup() = default;
ThreadSetup::~ThreadSetup() = default;

}  // namespace pxm::cli

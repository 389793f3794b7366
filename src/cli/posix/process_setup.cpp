#include "cli/process_setup.h"

#include <csignal>

namespace pxm::cli {

// A file-size limit then fails the write with EFBIG, which is reported and cleaned up, instead
// of killing the process and leaving the temporary file behind.
ProcessSetup::ProcessSetup() { std::signal(SIGXFSZ, SIG_IGN); }

ProcessSetup::~ProcessSetup() = default;

}  // namespace pxm::cli

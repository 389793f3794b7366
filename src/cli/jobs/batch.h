#pragma once
// Many pictures in one call: converted in parallel, each told on one line in the order given,
// then a summary. One refusal never stops the others.
#include <vector>

#include "cli/jobs/conversion.h"

namespace pxm::cli {

// threads: how many pictures are converted at once (0: as many as the machine has cores).
// The exit status is the worst of the pictures'.
int RunBatch(const std::vector<Job>& jobs, const CliOptions& options, unsigned threads, std::ostream& info,
             std::ostream& err);

}  // namespace pxm::cli

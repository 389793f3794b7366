#pragma once
// One job of the converter: its input read, converted by the library, and the files it makes put
// on disk (or on standard output), telling the user what the Windows program would tell them.
#include <ostream>

#include "cli/options/cli_options.h"
#include "cli/planning/output_plan.h"
#include "lib/conversion.h"

namespace pxm::cli {

struct JobStreams {
    std::ostream& info;  // information lines: never where the file's bytes go
    std::ostream& err;   // refusals, failures, warnings
    std::ostream& data;  // standard output, for the output "-"
};

// ExitWritten, or ExitRefused after telling why on streams.err (ExitUsage for a usage error).
int ConvertPicture(const Job& job, const CliOptions& options, const JobStreams& streams);

}  // namespace pxm::cli

#pragma once
// No input is ever destroyed: an output that is an input, or two outputs that are one file, are
// found before anything is written, by the files' identity rather than their names.
#include <string>
#include <vector>

#include "cli/output_plan.h"

namespace pxm::cli {

// A usage error naming the two paths that are one file, or empty.
std::string SameFileError(const std::vector<Job>& jobs);

// True when the output is the file standard output goes to (say /dev/stdout): its information
// lines must then go to standard error.
bool IsStandardOutput(const std::string& path);

}  // namespace pxm::cli

#pragma once
// No input is ever destroyed: an output that is an input, or two outputs that are one file, are
// found before anything is written, by the files' identity rather than their names.
#include <string>
#include <vector>

#include "cli/planning/output_plan.h"

namespace pxm::cli {

// Two inputs that would write one output (a.png and a.jpg into out/) are written apart: the
// later one's output is numbered (out/a-2.prg), clear of every input and every other output,
// and records the name it would have had and the input that has it.
void SeparateSameOutputs(std::vector<Job>& jobs);

// A usage error naming the two paths that are one file, or empty.
std::optional<std::string> SameFileError(const std::vector<Job>& jobs);

// True when the output is the file standard output goes to (say /dev/stdout): its information
// lines must then go to standard error.
bool IsStandardOutput(const std::string& path);

}  // namespace pxm::cli

#pragma once
// The whole run of one command line: the options checked, the outputs planned and checked
// before anything is read, then one picture or many converted.
#include <ostream>
#include <span>
#include <string_view>

#include "cli/jobs/conversion.h"

namespace pxm::cli {

// args: the arguments after the program name. Information and the data of "-o -" go to out,
// messages to err.
int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace pxm::cli

#pragma once
// The converter's command line, as typed: options (lib/options.h) and inputs, each single-valued
// option given once, no option that would have no effect.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lib/options.h"

namespace pxm::cli {

struct CliOptions : Options {
    std::vector<std::string> inputs;
};

struct ParsedCommandLine {
    enum class Action { Convert, Help, Version, UsageError };
    Action action = Action::Convert;
    CliOptions options;
    std::string error;                  // for UsageError
    std::vector<std::string> warnings;  // Convert: options that do less than they may seem to
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

}  // namespace pxm::cli

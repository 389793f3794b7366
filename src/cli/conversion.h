#pragma once
// The whole conversion of one picture: read it, koalize it, build the file and put it on disk
// (or on standard output), telling the user what the Windows program would tell them.
#include <ostream>

#include "cli/cli_options.h"
#include "cli/output_plan.h"

namespace pxm::cli {

inline constexpr int ExitWritten = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

struct Streams {
    std::ostream& info;  // information lines: never where the file's bytes go
    std::ostream& err;   // refusals, failures, warnings
    std::ostream& data;  // standard output, for the output "-"
};

// ExitWritten, or ExitRefused after telling why on streams.err.
int ConvertPicture(const Job& job, const CliOptions& options, const Streams& streams);

// "Caption: text" on a line of its own, the text (Windows ANSI) in UTF-8.
void Show(std::ostream& err, std::string_view caption, std::string_view ansiText);

// How messages name a path: "standard input" or "standard output" for "-".
std::string_view PathName(const std::string& path, bool isInput);

}  // namespace pxm::cli

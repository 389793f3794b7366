#pragma once
// The whole conversion of one command line: read the BMP, koalize it, build the picture file
// and put it on disk, telling the user what the Windows program would tell them.
#include <ostream>
#include <span>
#include <string_view>

namespace pxm::cli {

inline constexpr int ExitWritten = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

// args: the arguments after the program name. Information goes to out, messages to err.
int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace pxm::cli

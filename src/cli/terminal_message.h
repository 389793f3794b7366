#pragma once
// The converter's messages on the terminal: a message box as "Caption: file: text", a usage
// error with the usage line.
#include <ostream>
#include <string_view>

#include "core/text/messages.h"

namespace pxm::cli {

inline constexpr std::string_view RefusalCaption = "Error";

// "Caption: text", line breaks kept; the text is Windows ANSI and names its file itself.
void Show(std::ostream& err, std::string_view caption, std::string_view ansiText);
// "Caption: file: text": how every refusal names the file it is about (its path as given, or
// "standard input" / "standard output").
void Show(std::ostream& err, std::string_view caption, std::string_view file, std::string_view ansiText);

// Returns the exit status of a usage error.
int ShowUsageError(std::ostream& err, std::string_view error);

}  // namespace pxm::cli

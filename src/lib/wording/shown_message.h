#pragma once
// How the converter shows a message on the terminal: "Caption: file: text", the text converted
// from Windows ANSI, where the Windows program shows a box.
#include <ostream>
#include <string_view>

#include "core/text/messages.h"

namespace pxm {

inline constexpr std::string_view RefusalCaption = "Error";

// "Caption: text", line breaks kept; the text is Windows ANSI and names its file itself.
void Show(std::ostream& err, std::string_view caption, std::string_view ansiText);
// "Caption: file: text": how every refusal names the file it is about (its path as given, or
// "standard input" / "standard output").
void Show(std::ostream& err, std::string_view caption, std::string_view file, std::string_view ansiText);

}  // namespace pxm

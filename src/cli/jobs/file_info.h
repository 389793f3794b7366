#pragma once
// --info: a block about each input, headed by its name: what a C64 picture file holds (format,
// container, C64 name, background, colours, a disk's files), or a picture's kind, size, colours,
// palette and whether it converts; for a file that cannot be read, why.
#include <ostream>

#include "cli/options/cli_options.h"

namespace pxm::cli {

// ExitWritten when every file was read, else ExitRefused.
int ShowFileInfo(const CliOptions& options, std::ostream& out);

}  // namespace pxm::cli

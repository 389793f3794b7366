#pragma once
// A C64 picture file as the converter's input: read as it stands (no koalizing again, the
// cells keep their colours) and written in any format, container or as PNG or BMP.
#include <ostream>

#include "cli/cli_options.h"
#include "cli/conversion.h"
#include "cli/input_file.h"

namespace pxm::cli {

// Whether the input is a C64 file, told by its content: a TAP, P00 or D64 image, or a program
// that loads where a picture does.
bool IsC64Input(const InputFile& input);

// Returns the exit status.
int ConvertC64Input(const InputFile& input, const Job& job, const CliOptions& options, const Streams& streams);

}  // namespace pxm::cli

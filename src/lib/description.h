#pragma once
// The front door's other use: what an input file is (--info), without converting it.
#include "lib/options.h"
#include "lib/reading/input_file.h"
#include "lib/reading/picture_info.h"

namespace pxm {

// What a C64 picture file holds (format, container, C64 name, background, colours, a disk's
// files), or a picture's kind, size, colours, palette and whether it converts with the options;
// input: read up to MaxScalableFileBytes, as --nearest reads it.
InfoBlock DescribeFile(const InputFile& input, const Options& options);

}  // namespace pxm

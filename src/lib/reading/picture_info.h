#pragma once
// What --info tells of a picture (BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF): its kind, size and colours, the palette
// its colours fit and how near, and whether it converts as it is, only with --nearest, or not,
// and why (the refusal the conversion would give).
#include <string>

#include "lib/options.h"
#include "lib/reading/input_file.h"

namespace pxm {

// Windows ANSI, as the messages it quotes are.
struct InfoBlock {
    std::string text;     // "Key: value" lines
    std::string refusal;  // why the file cannot be read; empty: it was read
};

// input: read up to MaxScalableFileBytes, as --nearest reads it. -m, -b and -p judge it as a
// conversion with them would.
InfoBlock PictureInfo(const InputFile& input, const Options& options);

}  // namespace pxm

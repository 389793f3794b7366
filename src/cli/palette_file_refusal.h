#pragma once
// The converter's words for a --palette-file that holds no C64 palette.
#include <string>
#include <string_view>

#include "core/palette/palette_file.h"

namespace pxm::cli {

// "pal.gpl: a GIMP palette of 12 colours; a C64 palette needs 16, ..." after the file's name.
std::string PaletteFileRefusalText(const PaletteFileFailure& failure, std::string_view path);

// The file is longer than any palette.
std::string PaletteFileTooLargeText(std::string_view path);

}  // namespace pxm::cli

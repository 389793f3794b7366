#pragma once
// The converter's words for a --palette-file that holds no C64 palette, or one out of order.
#include <string>
#include <string_view>

#include "core/import/palette_order.h"
#include "core/palette/palette_file.h"

namespace pxm {

// "pal.gpl: a GIMP palette of 12 colours; a C64 palette needs 16, ..." after the file's name.
std::string PaletteFileRefusalText(const PaletteFileFailure& failure, std::string_view path);

// "pal.gpl: its colours look like a C64 palette's in another order: entry 2 (#70A4B2) is cyan
// (3) in pepto; ..."
std::string PaletteOrderWarningText(const EntryOutOfOrder& misplaced, Rgb colour, std::string_view path);

// The file is longer than any palette.
std::string PaletteFileTooLargeText(std::string_view path);

}  // namespace pxm

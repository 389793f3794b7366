#pragma once
// --palette-file: the palette of one's own, read before anything is converted.
#include <ostream>
#include <string>

namespace pxm::cli {

// Reads the file and makes it the run's own palette (core/palette/palette_book.h), named after
// the file. ExitWritten, or ExitRefused after telling why on err.
int LoadOwnPalette(const std::string& path, std::ostream& err);

}  // namespace pxm::cli

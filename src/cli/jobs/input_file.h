#pragma once
// Reads an input file (path "-": standard input) as the conversion takes it
// (lib/reading/input_file.h), or says why it could not be read.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/base/result.h"
#include "lib/reading/input_file.h"

namespace pxm::cli {

// Why a file could not be read, under its caption: the system's words when it could not be
// opened, a read's failure, a folder named as a file.
struct UnreadInput {
    std::string_view caption;
    std::string text;
};

// maxEncodedBytes: how long a PNG, GIF, JPEG or C64 file may be.
Result<InputFile, UnreadInput> ReadInputFile(const std::string& path, std::size_t maxEncodedBytes);

}  // namespace pxm::cli

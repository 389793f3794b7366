#pragma once
// Reads the source picture: at most as many bytes as the BMP reader can ever look at.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/messages.h"

namespace pxm::cli {

struct InputFile {
    std::vector<std::uint8_t> bytes;
    std::string systemError;           // set when the file could not be opened
    const Message* error = nullptr;    // set when reading it failed
    bool ok() const { return systemError.empty() && error == nullptr; }
};

InputFile ReadInputFile(const std::string& path);

}  // namespace pxm::cli

#pragma once
// Reads the source picture: at most as many bytes as the BMP reader can ever look at, and for a
// PNG, GIF or JPEG (told by its first bytes) and for a file of no picture signature (a C64
// file: PRG, P00, TAP or D64 image, told later by its content) at most MaxEncodedPictureBytes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/messages.h"

namespace pxm::cli {

// A PNG or GIF of 384x272 pixels, even uncompressed with 16-bit colours, alpha and chunks of
// its paint program's notes, stays far below this; a longer one is refused.
inline constexpr std::size_t MaxEncodedPictureBytes = 4 << 20;

struct InputFile {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;             // a PNG or GIF longer than MaxEncodedPictureBytes
    std::string systemError;           // set when the file could not be opened
    const Message* error = nullptr;    // set when reading it failed
};

// path "-": standard input.
InputFile ReadInputFile(const std::string& path);

}  // namespace pxm::cli

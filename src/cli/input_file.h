#pragma once
// Reads the source picture: at most as many bytes as the BMP reader can ever look at, and for a
// PNG, GIF or JPEG (told by its first bytes) and for a file of no picture signature (a C64
// file: PRG, P00, TAP or D64 image, told later by its content) at most the limit asked
// (MaxEncodedPictureBytes, or more for --nearest).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pxm::cli {

// A PNG, GIF or JPEG of 384x272 pixels, even uncompressed with 16-bit colours, alpha and chunks of
// its paint program's notes, stays far below this; a longer one is refused.
inline constexpr std::size_t MaxEncodedPictureBytes = 4 << 20;

struct InputFile {
    std::vector<std::uint8_t> bytes;
    bool tooLarge = false;  // a PNG, GIF or JPEG longer than the limit
    // Why it could not be read (empty: it was), under its caption: the system's words when it
    // could not be opened, a read's failure, a folder named as a file.
    std::string_view caption;
    std::string refusal;
};

// path "-": standard input. maxEncodedBytes: how long a PNG, GIF, JPEG or C64 file may be.
InputFile ReadInputFile(const std::string& path, std::size_t maxEncodedBytes = MaxEncodedPictureBytes);

}  // namespace pxm::cli

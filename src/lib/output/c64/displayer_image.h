#pragma once
// The displayer (displayer.s) as the build assembles it: its bytes, and where its entry point
// and the fields of its parameter block stand. Every address is a C64 address.
#include <cstdint>
#include <span>

namespace pxm {

struct DisplayerImage {
    std::span<const std::uint8_t> bytes;  // code, then the parameter block (zeros) last
    std::uint16_t loadAddress;            // where bytes[0] stands
    std::uint16_t start;                  // the entry point BASIC's SYS calls
    std::uint16_t unpackTo;               // where an SP2 stream is unpacked
    // The parameter block: 16-bit addresses, low byte first, and two colour bytes.
    std::uint16_t stream;      // the SP2 stream, 0 for a picture stored unpacked
    std::uint16_t streamEnd;   // the first byte after the stream
    std::uint16_t bitmap;      // where the 8000 bitmap bytes are
    std::uint16_t screen;      // the 1000 screen bytes
    std::uint16_t colour;      // the 1000 colour bytes
    std::uint16_t background;  // the background colour
    std::uint16_t border;      // the border colour
};

extern const DisplayerImage Displayer;

}  // namespace pxm

#pragma once
// How a program that shows a picture (the converter's -x output) is laid out, so that the picture
// can be found in one: a BASIC line and the displayer, ending in its parameter block, then the
// picture's data as the plain file holds it. The converter describes its own displayer here.
#include <cstddef>
#include <cstdint>

#include "core/base/byte_reader.h"

namespace pxm {

struct ShowingProgramLayout {
    std::uint16_t loadAddress = 0;
    Bytes head;                  // the program's bytes before the picture data, parameters zero
    std::size_t parametersAt = 0;  // where the parameter block starts in head; it runs to its end
    // The parameter block's fields, as offsets in the program: C64 addresses, low byte first,
    // and the background and border colour bytes.
    std::size_t streamAt = 0;     // the SP2 stream, or 0 for data stored unpacked
    std::size_t streamEndAt = 0;  // the first address after the stream
    std::size_t bitmapAt = 0;
    std::size_t screenAt = 0;
    std::size_t colourAt = 0;
    std::size_t backgroundAt = 0;
    std::size_t borderAt = 0;
    std::uint16_t unpackTo = 0;   // where the displayer unpacks an SP2 stream
};

}  // namespace pxm

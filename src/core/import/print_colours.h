#pragma once
// A picture saved in print colours (a CMYK or YCCK JPEG) shown in RGB, for --nearest, which
// makes a C64 picture of any photograph. No colour profile: each ink takes its share of the
// light off plainly, the way a screen shows such files without colour management.
#include <cstdint>

#include "core/palette/rgb.h"

namespace pxm {

// How the inks are stored: Adobe's programs (and every writer since that follows them, told by
// the Adobe marker) store 255 for no ink; plain CMYK stores 0 for no ink.
enum class InkStorage { Plain, Inverted };

struct Inks {
    std::uint8_t cyan = 0;
    std::uint8_t magenta = 0;
    std::uint8_t yellow = 0;
    std::uint8_t black = 0;
};

Rgb RgbOfInks(Inks inks, InkStorage storage);

}  // namespace pxm

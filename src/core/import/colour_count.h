#pragma once
// How many different colours a decoded picture holds: a C64 picture holds at most sixteen, a
// JPEG of one (saved lossy) hundreds.
#include <cstddef>

#include "core/import/decoded_picture.h"

namespace pxm {

inline constexpr std::size_t C64ColourCount = 16;

// Every pixel of the file counts, a screenshot's border too.
std::size_t CountColours(const DecodedPicture& picture);

}  // namespace pxm

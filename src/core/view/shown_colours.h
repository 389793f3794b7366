#pragma once
// The colour numbers a C64 shows for a Koala picture: 160 double-wide pixels by 200 rows, row by
// row, decoded from the bitmap, screen and colour memory and background as the VIC-II reads them.
#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>

#include "core/koala/koala_image.h"

namespace pxm {

inline constexpr int ShownColumns = 160;
inline constexpr int ShownRows = 200;
inline constexpr int C64ColourCount = 16;

using ShownColourNumbers = std::array<std::uint8_t, static_cast<std::size_t>(ShownColumns) * ShownRows>;

void DecodeShownColours(const KoalaImage& image, ShownColourNumbers& colours);

// The colours that some pixel shows.
std::bitset<C64ColourCount> ColoursUsed(const KoalaImage& image);

}  // namespace pxm

#pragma once
// Whether a palette of one's own holds the C64 colours in the C64's order. Its colours are read
// as a picture's are (MatchColours, AUTO): when they fit a listed palette's shape, each should
// come out as its own entry's number; a palette sorted by brightness or by hue would give every
// picture wrong colour numbers. A palette that fits no listed shape is one's own design, taken in
// the order given; so may be one that fits a shape by chance (greys), so this only warns.
#include <array>
#include <cstddef>
#include <optional>

#include "core/palette/rgb.h"

namespace pxm {

// An entry that the listed palettes' shape reads as another colour number.
struct EntryOutOfOrder {
    std::size_t entry = 0;
    int readAs = 0;
    std::size_t palette = 0;  // the listed palette it fits
};

std::optional<EntryOutOfOrder> FirstEntryOutOfOrder(const std::array<Rgb, 16>& colours);

}  // namespace pxm

#pragma once
// The names of the sixteen C64 colours.
#include <array>
#include <string_view>

namespace pxm {

// In colour-number order: ColourNames[n] names C64 colour n.
inline constexpr std::array<std::string_view, 16> ColourNames = {
    "black",  "white",    "red",         "cyan",       "purple",    "green",    "blue",        "yellow",
    "orange", "brown",    "pink",        "dark grey",  "med grey",  "light green", "light blue", "light grey",
};

constexpr std::string_view ColourName(int c64Colour) { return ColourNames[static_cast<std::size_t>(c64Colour & 15)]; }

}  // namespace pxm

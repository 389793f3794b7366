#pragma once
// The colour box's texts: position 0 is AUTO, position n + 1 names C64 colour n.
#include <array>
#include <string_view>

namespace pxm {

inline constexpr std::array<std::string_view, 17> ColorNames = {
    "AUTO",   "black",     "white",     "red",      "cyan",        "purple",
    "green",  "blue",      "yellow",    "orange",   "brown",       "pink",
    "dark grey", "med grey", "light green", "light blue", "light grey",
};

constexpr std::string_view ColorName(int c64Colour) { return ColorNames[static_cast<std::size_t>(c64Colour & 15) + 1]; }

}  // namespace pxm

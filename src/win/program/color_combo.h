#pragma once
// The layout of ColorCombo, the main dialog's colour box: AUTO first, then the sixteen C64
// colours in colour-number order. Each item's data is the background it stands for.
#include <array>
#include <string_view>

#include "core/koala/colour_names.h"

namespace pxm::win {

// Position 0 is AUTO, position n + 1 names C64 colour n.
inline constexpr std::array<std::string_view, 1 + ColourNames.size()> ColorNames = [] {
    std::array<std::string_view, 1 + ColourNames.size()> names{"AUTO"};
    for (std::size_t colour = 0; colour < ColourNames.size(); ++colour) names[colour + 1] = ColourNames[colour];
    return names;
}();

// Each item's data: -1 for AUTO, n for colour n (position n + 1).
inline constexpr int AutoItemData = -1;
constexpr int BackgroundOfItem(int position) { return position == 0 ? AutoItemData : position - 1; }

}  // namespace pxm::win

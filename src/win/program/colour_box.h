#pragma once
// The layout of the main dialog's colour box: AUTO first, then the sixteen C64 colours in
// colour-number order. Each item's data is the background it stands for: AUTO's is -1.
#include <string_view>

#include "core/koala/colour_names.h"
#include "core/koala/koalize_step.h"

namespace pxm::win {

inline constexpr int ColourBoxItemCount = 1 + static_cast<int>(ColourNames.size());

constexpr std::string_view ColourBoxText(int position) { return position == 0 ? "AUTO" : ColourName(position - 1); }
constexpr int BackgroundOfItem(int position) { return position == 0 ? AutoBackground : position - 1; }

}  // namespace pxm::win

#pragma once
// Numbers as messages show them, the same on every system (no locale): counts as people read
// them ("40,401"), distances to one decimal ("35.2").
#include <cstddef>
#include <cstdio>
#include <string>

namespace pxm {

inline std::string CountText(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

inline std::string OneDecimal(double value) {
    char text[24];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace pxm

#include "core/koala/colour_names.h"

#include <charconv>

#include "core/text/equal_ignoring_case.h"

namespace pxm {

std::optional<int> ParseBackground(std::string_view text) {
    if (EqualIgnoringCase(text, "auto")) return -1;
    for (std::size_t colour = 0; colour < ColourNames.size(); ++colour) {
        if (EqualIgnoringCase(text, ColourNames[colour])) return static_cast<int>(colour);
    }
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc{} && end == text.data() + text.size() && !text.empty() && number >= 0 && number <= 15)
        return number;
    return std::nullopt;
}

}  // namespace pxm

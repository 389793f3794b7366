#include "core/koala/color_names.h"

#include <charconv>

#include "core/text/equal_ignoring_case.h"

namespace pxm {

std::optional<int> ParseBackground(std::string_view text) {
    for (std::size_t position = 0; position < ColorNames.size(); ++position) {
        if (EqualIgnoringCase(text, ColorNames[position])) return static_cast<int>(position) - 1;
    }
    int number = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error == std::errc{} && end == text.data() + text.size() && !text.empty() && number >= 0 && number <= 15)
        return number;
    return std::nullopt;
}

}  // namespace pxm

#include "core/koala/color_names.h"

#include <charconv>

namespace pxm {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

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

#pragma once
// Builds a text from pieces in one go (GCC 12 warns falsely on chains of "literal" + string),
// or a text of several lines as one.
#include <initializer_list>
#include <string>
#include <string_view>

namespace pxm {

inline std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) text.append(part);
    return text;
}

// "The picture ... AUTO. No background works; ...": a message's lines as one, its line breaks
// (and a space the Windows texts keep before one) a single space.
inline std::string OneLine(std::string_view lines) {
    std::string text;
    for (const char c : lines) {
        if (c != '\n') {
            text += c;
        } else if (!text.empty() && text.back() != ' ') {
            text += ' ';
        }
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace pxm

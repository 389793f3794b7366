#pragma once
// Builds a text from pieces in one go (GCC 12 warns falsely on chains of "literal" + string).
#include <initializer_list>
#include <string>
#include <string_view>

namespace pxm::cli {

inline std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) text.append(part);
    return text;
}

}  // namespace pxm::cli

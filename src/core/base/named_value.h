#pragma once
// A value and the word a user gives for it, for tables of option values.
#include <optional>
#include <span>
#include <string_view>

namespace pxm {

template <typename T>
struct NamedValue {
    std::string_view name;
    T value;
};

template <typename T>
std::optional<T> FindNamed(std::span<const NamedValue<T>> table, std::string_view name) {
    for (const NamedValue<T>& row : table) {
        if (row.name == name) return row.value;
    }
    return std::nullopt;
}

}  // namespace pxm

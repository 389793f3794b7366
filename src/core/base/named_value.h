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

// The word for value in table; empty when the table has none.
template <typename T>
std::string_view NameOf(std::span<const NamedValue<T>> table, T value) {
    for (const NamedValue<T>& row : table) {
        if (row.value == value) return row.name;
    }
    return {};
}

}  // namespace pxm

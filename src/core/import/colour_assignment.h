#pragma once
// The one-to-one assignment of a picture's colours (up to sixteen) to the sixteen entries of a C64
// palette with the least total cost: exact, by the Hungarian method (with potentials, O(n² · 16)).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace pxm {

inline constexpr std::size_t PaletteEntries = 16;
using EntryCosts = std::array<double, PaletteEntries>;  // one colour's cost on each entry

struct Assignment {
    double total = 0;
    std::array<std::uint8_t, PaletteEntries> entryOf{};  // by colour: its entry
};

// rows: at most sixteen colours. Nothing when no assignment costs less than `below`, which lets a
// search over palettes skip a palette as soon as its cheapest entries alone cost too much.
std::optional<Assignment> LeastCostAssignment(std::span<const EntryCosts> rows, double below);

}  // namespace pxm

#pragma once
// The picture as C64 multicolour pixels: 160 double-wide columns x 200 rows of palette indexes,
// stored column by column (the order the koalizers walk cells in).
#include <array>
#include <cstddef>
#include <cstdint>

namespace pxm {

inline constexpr int CanvasColumns = 160;
inline constexpr int CanvasRows = 200;

using Canvas = std::array<std::uint8_t, static_cast<std::size_t>(CanvasColumns) * CanvasRows>;

constexpr std::size_t CanvasIndex(int column, int row) {
    return static_cast<std::size_t>(row) + static_cast<std::size_t>(column) * CanvasRows;
}

}  // namespace pxm

#pragma once
// The 10001-byte Koala-Painter picture data all export formats are made from.
#include <array>
#include <cstddef>
#include <cstdint>

namespace pxm {

inline constexpr std::size_t KoalaImageSize = 10001;
inline constexpr std::size_t KoalaBitmapOffset = 0;
inline constexpr std::size_t KoalaScreenOffset = 8000;
inline constexpr std::size_t KoalaColourOffset = 9000;
inline constexpr std::size_t KoalaBackgroundOffset = 10000;
inline constexpr int CellColumns = 40;
inline constexpr int CellRows = 25;
inline constexpr int CellCount = CellColumns * CellRows;

using KoalaImage = std::array<std::uint8_t, KoalaImageSize>;

}  // namespace pxm

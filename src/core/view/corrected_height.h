#pragma once
// The viewer's "Correct aspect": C64 pixels are taller than a PC's square ones.
namespace pxm {

// The six-decimal factor, not 8/7: heights that are multiples of 7 come out one row short of
// 8/7, as they always have.
inline constexpr double AspectFactor = 1.142857;

constexpr int AspectCorrectedHeight(int height) { return static_cast<int>(height * AspectFactor); }

}  // namespace pxm

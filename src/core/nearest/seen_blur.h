#pragma once
// How the eye blends neighbouring pixels, as the quality measure of docs/performance.md models it:
// a Gaussian of sigma one pixel of the 320-pixel-wide screen, in linear light. Taken on the
// multicolour grid: down the 200 rows the Gaussian at offsets -2 to 2; across, each multicolour
// pixel is two of the screen's pixels, so its weights over the neighbouring multicolour pixels
// are those of its two halves averaged.
#include <array>

namespace pxm {

inline constexpr int SeenReachAcross = 1;
inline constexpr int SeenReachDown = 2;
inline constexpr std::array<float, 2 * SeenReachAcross + 1> SeenBlurAcross{0.1766f, 0.6468f, 0.1766f};
inline constexpr std::array<float, 2 * SeenReachDown + 1> SeenBlurDown{0.0545f, 0.2442f, 0.4026f, 0.2442f, 0.0545f};

}  // namespace pxm

#pragma once
// A large picture brought down as its rows are decoded: each block of factors.x by factors.y
// pixels becomes their mean in linear light, the colours weighed by their opacity. A decoder then
// holds the small picture's sums and one row, never the file's pixels; the rows may come in any
// order (a PNG's or GIF's interlaced passes). What --nearest scales to the screen afterwards.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/import/decoded_picture.h"
#include "core/palette/rgb.h"

namespace pxm {

// Pictures of up to this many pixels are decoded whole: every C64 picture enlarged up to 4 times
// is well within, and so is the memory of decoding one (about 8 bytes a pixel).
inline constexpr long long MaxWholePixels = 4'000'000;
// A larger one is brought down to no less than this each way: twice the screen's 320 x 200, so
// that the resize to the screen that follows still filters as it would from the whole picture.
inline constexpr int MinReducedWidth = 640;
inline constexpr int MinReducedHeight = 400;

struct BoxFactors {
    int x = 1;
    int y = 1;
    bool operator==(const BoxFactors&) const = default;
};

// {1, 1} for a picture decoded whole; otherwise the largest whole factors that keep the minimum
// size each way (the two may differ: a panorama keeps its height).
BoxFactors BoxFactorsFor(int width, int height);

// One pixel in linear light (2^24 for full), its colour already multiplied by its opacity (0 to
// 255): sums of whole numbers, the same whatever order the pixels come in.
struct LinearPixel {
    std::uint64_t r = 0;
    std::uint64_t g = 0;
    std::uint64_t b = 0;
    std::uint64_t a = 0;
};

LinearPixel LinearOf(Rgb colour, std::uint8_t alpha = 255);

struct BoxReduction {
    int width = 0;  // the picture's
    int height = 0;
    BoxFactors factors;
    int left = 0;  // where the blocks kept begin in the picture (a part kept as it is)
    int top = 0;
    int reducedWidth = 0;  // the blocks kept: at most the picture's size divided by its factors,
    int reducedHeight = 0;  // rounded up; pixels of blocks beyond are passed over
    std::vector<LinearPixel> sums;  // per pixel of the reduced picture, row by row
};

BoxReduction StartBoxReduction(int width, int height, BoxFactors factors);
// The part of the picture from left, top of keptWidth x keptHeight, as it is (factors 1): all of
// a large picture placed unscaled that can be shown.
BoxReduction StartPartKept(int width, int height, int left, int top, int keptWidth, int keptHeight);

// The pixels of row y at x = firstX, firstX + step, ... (a whole row: 0 and 1).
void AddPixels(BoxReduction& reduction, int y, int firstX, int step, std::span<const LinearPixel> pixels);

// The same colour over a run of a row (a GIF's screen around its frame).
void AddRun(BoxReduction& reduction, int y, int firstX, int count, const LinearPixel& pixel);

// The reduced picture, with the alpha of every pixel (a block's edge pixels beyond the picture
// do not count). Every pixel of the picture must have been added once.
DecodedPicture FinishBoxReduction(const BoxReduction& reduction);

}  // namespace pxm

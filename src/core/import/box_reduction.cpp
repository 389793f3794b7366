#include "core/import/box_reduction.h"

#include <algorithm>
#include <cmath>

namespace pxm {

namespace {

constexpr double LinearFull = 1 << 24;

double LinearFromSrgb(double v) {
    return LinearFull * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
}

// Each sRGB level in linear light, and the linear values halfway between neighbouring levels (in
// sRGB), so that a mean goes back to the nearest level and the mean of one colour to that colour.
struct SrgbTables {
    std::array<std::uint32_t, 256> linear{};
    std::array<double, 255> halfway{};
};

const SrgbTables& Tables() {
    static const SrgbTables tables = [] {
        SrgbTables t;
        for (std::size_t i = 0; i < t.linear.size(); ++i)
            t.linear[i] = static_cast<std::uint32_t>(std::lround(LinearFromSrgb(static_cast<double>(i) / 255.0)));
        for (std::size_t i = 0; i < t.halfway.size(); ++i)
            t.halfway[i] = LinearFromSrgb((static_cast<double>(i) + 0.5) / 255.0);
        return t;
    }();
    return tables;
}

std::uint8_t SrgbLevel(double linear) {
    const auto& halfway = Tables().halfway;
    return static_cast<std::uint8_t>(std::upper_bound(halfway.begin(), halfway.end(), linear) - halfway.begin());
}

int RoundedUp(int n, int factor) { return (n + factor - 1) / factor; }

BoxReduction StartKeeping(int width, int height, BoxFactors factors, int left, int top, int keptWidth,
                          int keptHeight) {
    BoxReduction reduction{width, height, factors, left, top, keptWidth, keptHeight, {}};
    reduction.sums.resize(static_cast<std::size_t>(keptWidth) * static_cast<std::size_t>(keptHeight));
    return reduction;
}

// The row of sums of picture row y; none when the row lies outside the blocks kept.
LinearPixel* SumsOfRow(BoxReduction& reduction, int y) {
    if (y < reduction.top) return nullptr;
    const int row = (y - reduction.top) / reduction.factors.y;
    if (row >= reduction.reducedHeight) return nullptr;
    return reduction.sums.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(reduction.reducedWidth);
}

}  // namespace

BoxFactors BoxFactorsFor(int width, int height) {
    if (static_cast<long long>(width) * height <= MaxWholePixels) return {};
    return {std::max(1, width / MinReducedWidth), std::max(1, height / MinReducedHeight)};
}

LinearPixel LinearOf(Rgb colour, std::uint8_t alpha) {
    const auto& linear = Tables().linear;
    const std::uint64_t a = alpha;
    return {linear[colour.r] * a, linear[colour.g] * a, linear[colour.b] * a, a};
}

BoxReduction StartBoxReduction(int width, int height, BoxFactors factors) {
    return StartKeeping(width, height, factors, 0, 0, RoundedUp(width, factors.x), RoundedUp(height, factors.y));
}

BoxReduction StartPartKept(int width, int height, int left, int top, int keptWidth, int keptHeight) {
    return StartKeeping(width, height, {}, left, top, std::min(width - left, keptWidth), std::min(height - top, keptHeight));
}

void AddPixels(BoxReduction& reduction, int y, int firstX, int step, std::span<const LinearPixel> pixels) {
    LinearPixel* const row = SumsOfRow(reduction, y);
    if (row == nullptr) return;
    const int factor = reduction.factors.x;
    // x counted from the blocks kept; the pixels before them passed over.
    const int first = firstX - reduction.left;
    std::size_t i = first >= 0 ? 0 : static_cast<std::size_t>((-first + step - 1) / step);
    // Block by block, summed apart first: no division per pixel.
    for (int block = (first + static_cast<int>(i) * step) / factor; block < reduction.reducedWidth && i < pixels.size();
         ++block) {
        // The pixels before the block's end: first + i * step < (block + 1) * factor.
        const auto end = std::min(pixels.size(), static_cast<std::size_t>(((block + 1) * factor - first + step - 1) / step));
        LinearPixel sum;
        for (; i < end; ++i) {
            sum.r += pixels[i].r;
            sum.g += pixels[i].g;
            sum.b += pixels[i].b;
            sum.a += pixels[i].a;
        }
        row[block].r += sum.r;
        row[block].g += sum.g;
        row[block].b += sum.b;
        row[block].a += sum.a;
    }
}

void AddRun(BoxReduction& reduction, int y, int firstX, int count, const LinearPixel& pixel) {
    LinearPixel* const row = SumsOfRow(reduction, y);
    if (row == nullptr) return;
    // x counted from the blocks kept; the pixels before them passed over.
    const int runEnd = firstX + count - reduction.left;
    for (int x = std::max(0, firstX - reduction.left); x < runEnd;) {
        const int block = x / reduction.factors.x;
        if (block >= reduction.reducedWidth) return;
        const int end = std::min(runEnd, (block + 1) * reduction.factors.x);
        const auto n = static_cast<std::uint64_t>(end - x);
        LinearPixel& sum = row[block];
        sum.r += pixel.r * n;
        sum.g += pixel.g * n;
        sum.b += pixel.b * n;
        sum.a += pixel.a * n;
        x = end;
    }
}

DecodedPicture FinishBoxReduction(const BoxReduction& reduction) {
    DecodedPicture picture;
    picture.width = reduction.reducedWidth;
    picture.height = reduction.reducedHeight;
    picture.rgb.resize(reduction.sums.size());
    picture.alpha.resize(reduction.sums.size());
    const auto [fx, fy] = reduction.factors;
    for (int by = 0; by < picture.height; ++by) {
        const int rows = std::min(fy, reduction.height - reduction.top - by * fy);
        for (int bx = 0; bx < picture.width; ++bx) {
            const int count = rows * std::min(fx, reduction.width - reduction.left - bx * fx);
            const std::size_t at = picture.At(bx, by);
            const LinearPixel& sum = reduction.sums[at];
            picture.alpha[at] = static_cast<std::uint8_t>(std::lround(static_cast<double>(sum.a) / count));
            // A block all transparent keeps black under it; the colours of the others are their
            // opaque parts' mean.
            if (sum.a == 0) continue;
            const auto mean = [&](std::uint64_t channel) {
                return SrgbLevel(static_cast<double>(channel) / static_cast<double>(sum.a));
            };
            picture.rgb[at] = {mean(sum.r), mean(sum.g), mean(sum.b)};
        }
    }
    return picture;
}

}  // namespace pxm

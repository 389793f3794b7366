#include "core/nearest/dither.h"

#include <algorithm>
#include <bit>
#include <span>

namespace pxm {

namespace {

std::uint8_t NearestKept(LinearRgb colour, const KeptColours& kept, PaletteDistances& distances) {
    const std::array<std::int16_t, 16>& to = distances.To(colour);
    std::uint8_t best = kept.colours[0];
    std::int16_t bestDistance = to[best];
    for (std::size_t k = 1; k < kept.count; ++k) {
        const std::int16_t d = to[kept.colours[k]];
        if (d < bestDistance) {
            bestDistance = d;
            best = kept.colours[k];
        }
    }
    return best;
}

LinearRgb Mix(LinearRgb x, LinearRgb y, float share) {
    return {x.r + share * (y.r - x.r), x.g + share * (y.g - x.g), x.b + share * (y.b - x.b)};
}

// Bayer matrices, thresholds 0 to n*n - 1 row by row.
constexpr std::array<std::uint8_t, 16> Bayer4{0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
constexpr std::array<std::uint8_t, 64> Bayer8 = [] {
    std::array<std::uint8_t, 64> m{};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int base = Bayer4[static_cast<std::size_t>((y % 4) * 4 + x % 4)];
            const int quadrant = std::array{0, 2, 3, 1}[static_cast<std::size_t>((y / 4) * 2 + x / 4)];
            m[static_cast<std::size_t>(y * 8 + x)] = static_cast<std::uint8_t>(4 * base + quadrant);
        }
    }
    return m;
}();

// Ordered dithering between two of the cell's colours: the pair (or the one colour) whose best
// mix in linear light lies nearest the pixel, each pixel taking the second colour where its
// threshold lies below the mix's share. Pairs of colours far apart pay for their coarser pattern
// (a tenth of their squared distance), so that of two mixes alike the finer one wins.
constexpr float PairSpreadPenalty = 0.1f;
std::uint8_t OrderedPixel(LinearRgb t, const KeptColours& kept, const ShownColours& shown, float threshold) {
    const Lab want = LabOf(t);
    std::uint8_t first = kept.colours[0];
    std::uint8_t second = first;
    float share = 0;
    float best = static_cast<float>(LabDistanceSquared(want, shown.lab[first]));
    for (std::size_t i = 0; i < kept.count; ++i) {
        const LinearRgb x = shown.linear[kept.colours[i]];
        if (const float d = static_cast<float>(LabDistanceSquared(want, shown.lab[kept.colours[i]])); d < best) {
            best = d;
            first = second = kept.colours[i];
            share = 0;
        }
        for (std::size_t j = i + 1; j < kept.count; ++j) {
            const LinearRgb y = shown.linear[kept.colours[j]];
            const float dr = y.r - x.r;
            const float dg = y.g - x.g;
            const float db = y.b - x.b;
            const float length = dr * dr + dg * dg + db * db;
            if (length <= 0) continue;
            const float s = std::clamp(((t.r - x.r) * dr + (t.g - x.g) * dg + (t.b - x.b) * db) / length, 0.0f, 1.0f);
            const float spread = PairSpreadPenalty * static_cast<float>(LabDistanceSquared(shown.lab[kept.colours[i]], shown.lab[kept.colours[j]]));
            if (const float d = static_cast<float>(LabDistanceSquared(want, LabOf(Mix(x, y, s)))) + spread; d < best) {
                best = d;
                first = kept.colours[i];
                second = kept.colours[j];
                share = s;
            }
        }
    }
    return threshold < share ? second : first;
}

void Ordered(const NearestTarget& target, const ShownColours& shown, std::span<const KeptColours> kept,
             std::uint8_t background, const DitherSettings& settings, std::span<const std::uint8_t> matrix, int n,
             Canvas& canvas) {
    const float cells = static_cast<float>(n * n);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            const std::size_t at = NearestTarget::At(x, y);
            std::uint8_t colour = background;
            if (target.Inside(at)) {
                const float level = (matrix[static_cast<std::size_t>((y % n) * n + x % n)] + 0.5f) / cells;
                const float threshold = 0.5f + settings.strength * (level - 0.5f);
                const KeptColours& cell = kept[static_cast<std::size_t>((y / 8) * CellColumns + x / 4)];
                colour = OrderedPixel(target.colours[at], cell, shown, threshold);
            }
            canvas[CanvasIndex(x, y)] = colour;
        }
    }
}

// Where an error diffusion passes a pixel's error, as offsets for a row walked left to right
// (mirrored on the rows walked right to left).
struct Spread {
    int dx;
    int dy;
    float weight;
};
constexpr std::array<Spread, 4> FloydSteinbergSpread{{{1, 0, 7 / 16.0f}, {-1, 1, 3 / 16.0f}, {0, 1, 5 / 16.0f}, {1, 1, 1 / 16.0f}}};
// Atkinson's passes on six eighths: three quarters of the error, so that flat areas stay calm.
constexpr std::array<Spread, 6> AtkinsonSpread{
    {{1, 0, 0.125f}, {2, 0, 0.125f}, {-1, 1, 0.125f}, {0, 1, 0.125f}, {1, 1, 0.125f}, {0, 2, 0.125f}}};

constexpr int ErrorRows = 3;
constexpr int ErrorMargin = 2;  // columns beyond each edge, so that no spread needs a test
constexpr int ErrorWidth = CanvasColumns + 2 * ErrorMargin;

void Diffuse(const NearestTarget& target, PaletteDistances& distances, std::span<const KeptColours> kept,
             std::uint8_t background, const DitherSettings& settings, std::span<const Spread> spread, Canvas& canvas) {
    std::vector<LinearRgb> error(static_cast<std::size_t>(ErrorRows * ErrorWidth));
    const auto errorAt = [&](int x, int y) -> LinearRgb& {
        return error[static_cast<std::size_t>((y % ErrorRows) * ErrorWidth + x + ErrorMargin)];
    };
    for (int y = 0; y < CanvasRows; ++y) {
        const bool leftward = (y & 1) != 0;
        for (int i = 0; i < CanvasColumns; ++i) {
            const int x = leftward ? CanvasColumns - 1 - i : i;
            const std::size_t at = NearestTarget::At(x, y);
            LinearRgb& carried = errorAt(x, y);
            std::uint8_t colour = background;
            if (target.Inside(at)) {
                const LinearRgb t = target.colours[at];
                const LinearRgb want{std::clamp(t.r + carried.r, 0.0f, 1.0f), std::clamp(t.g + carried.g, 0.0f, 1.0f),
                                     std::clamp(t.b + carried.b, 0.0f, 1.0f)};
                colour = NearestKept(want, kept[static_cast<std::size_t>((y / 8) * CellColumns + x / 4)], distances);
                const LinearRgb shownColour = distances.shown().linear[colour];
                const LinearRgb missed{settings.strength * (want.r - shownColour.r),
                                       settings.strength * (want.g - shownColour.g),
                                       settings.strength * (want.b - shownColour.b)};
                for (const Spread& s : spread) {
                    const int nx = x + (leftward ? -s.dx : s.dx);
                    if (y + s.dy >= CanvasRows) continue;
                    LinearRgb& next = errorAt(nx, y + s.dy);
                    next.r += s.weight * missed.r;
                    next.g += s.weight * missed.g;
                    next.b += s.weight * missed.b;
                }
            }
            carried = {};
            canvas[CanvasIndex(x, y)] = colour;
        }
        // The margins collect what falls off the edges; it is dropped.
        for (int m = 0; m < ErrorMargin; ++m) {
            for (int dy = 0; dy < ErrorRows; ++dy) {
                errorAt(-1 - m, y + dy) = {};
                errorAt(CanvasColumns + m, y + dy) = {};
            }
        }
    }
}

}  // namespace

void DitherIntoCanvas(const NearestTarget& target, PaletteDistances& distances, const CellColourSets& sets,
                      std::uint8_t background, const DitherSettings& settings, Canvas& canvas) {
    std::vector<KeptColours> kept(sets.size());
    std::ranges::transform(sets, kept.begin(), KeptOf);
    switch (settings.kind) {
        // Nothing carried on: each pixel the nearest colour its cell keeps.
        case DitherKind::None: return Diffuse(target, distances, kept, background, {DitherKind::None, 0.0f}, FloydSteinbergSpread, canvas);
        case DitherKind::Bayer4: return Ordered(target, distances.shown(), kept, background, settings, Bayer4, 4, canvas);
        case DitherKind::Bayer8: return Ordered(target, distances.shown(), kept, background, settings, Bayer8, 8, canvas);
        case DitherKind::FloydSteinberg: return Diffuse(target, distances, kept, background, settings, FloydSteinbergSpread, canvas);
        case DitherKind::Atkinson: return Diffuse(target, distances, kept, background, settings, AtkinsonSpread, canvas);
    }
}

}  // namespace pxm

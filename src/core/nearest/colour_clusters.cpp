#include "core/nearest/colour_clusters.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <span>

#include "core/import/palette_match.h"
#include "core/nearest/colour_space.h"

namespace pxm {

namespace {

// The colours counted in bins of 8 x 8 x 8 RGB values: a cluster's pixels fill a few bins
// densely, and the work below is per bin, not per pixel.
constexpr int BinShift = 3;
constexpr int BinLevels = 256 >> BinShift;
constexpr std::size_t BinCount = static_cast<std::size_t>(BinLevels) * BinLevels * BinLevels;
// A C64 picture's colours fill fewer than 4,000 bins even through a quality-60 JPEG; a
// photograph with grain fills tens of thousands, and is told at once.
constexpr std::size_t MaxBins = 8000;

// A bin of at least this many pixels, no nearer than SeedSeparation (CIELAB) to a fuller one,
// starts the search for a cluster; a picture with more such bins than MaxSeeds is a photograph.
constexpr std::uint32_t SeedPixels = 4;
constexpr double SeedSeparation = 4;
constexpr std::size_t MaxSeeds = 300;
// Each seed climbs to the densest colour within the kernel's radius of it; two that end nearer
// than MergeDistance are one cluster. A quality-90 JPEG spreads a flat colour by a few units. The
// narrower radius first, which keeps two C64 colours 10 apart (colodore's white and light grey,
// dithered together) apart; the wider where the narrower leaves one colour's noise as centres
// too many or too close together.
constexpr std::array<double, 2> KernelRadii{8, 10};
constexpr double MergeDistance = 3;
// A mode with fewer pixels around it than this share of the picture is a mixture at edges (a C64
// colour that few pixels have is lost with it: its pixels take the nearest other).
constexpr double LeastModeShare = 1.0 / 4000;
// Every two C64 colours of a palette lie at least 10 apart (CIELAB; but for white and light grey
// in two old palettes); the densest colours of a smooth photograph lie much closer.
constexpr double MinCentreDistance = 8;
// Nearly every pixel of a C64 picture gone lossy lies close to its cluster's centre; the rest
// are mixed at edges.
constexpr double TightDistance = 10;
constexpr double TightShare = 0.9;
// A pixel farther than this from every centre is mixed beyond telling (a thin line or a lone
// pixel blurred into its neighbours): it takes the colour its cell keeps that lies nearest.
constexpr double MixedDistance = 12;

constexpr double Squared(double d) { return d * d; }

struct Bin {
    std::uint32_t count = 0;
    std::array<std::uint32_t, 3> sum{};  // of the pixels' r, g, b

    void Add(std::uint32_t pixels, const std::array<std::uint32_t, 3>& rgbSum) {
        count += pixels;
        for (std::size_t c = 0; c < 3; ++c) sum[c] += rgbSum[c];
    }
    Rgb Mean() const {
        const auto mean = [&](std::size_t c) { return static_cast<std::uint8_t>((sum[c] + count / 2) / count); };
        return {mean(0), mean(1), mean(2)};
    }
};

std::size_t BinOf(Rgb c) {
    return static_cast<std::size_t>(c.r >> BinShift) << (2 * (8 - BinShift)) |
           static_cast<std::size_t>(c.g >> BinShift) << (8 - BinShift) | static_cast<std::size_t>(c.b >> BinShift);
}

Lab LabFast(Rgb c) { return LabOf(LinearOf(c)); }

// The picture's colours, bin by bin: the bins in use, in the order first met, and their mean
// colours. Only the bins in use are kept, behind a 16-bit index of all: a picture-sized table of
// every bin would be most of the memory a refused photograph touches.
struct Histogram {
    std::vector<std::uint16_t> slot = std::vector<std::uint16_t>(BinCount);  // 0: none yet, else 1 + index
    std::vector<Bin> bins;
    std::vector<std::uint32_t> keys;  // each bin's BinOf
    std::vector<std::uint32_t> used;  // indexes of bins, in seeding order once ordered
    std::vector<Lab> labs;  // of used, in its order
    std::vector<std::uint32_t> byLightness;  // indexes of used, by ascending CIELAB lightness
};

// nullopt: more bins in use than MaxBins (a photograph), told as soon as they are.
std::optional<Histogram> Count(const DecodedPicture& picture, const PictureArea& area) {
    Histogram h;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const Rgb c = picture.rgb[picture.At(x, y)];
            const std::size_t key = BinOf(c);
            if (h.slot[key] == 0) {
                if (h.bins.size() == MaxBins) return std::nullopt;
                h.used.push_back(static_cast<std::uint32_t>(h.bins.size()));
                h.bins.emplace_back();
                h.keys.push_back(static_cast<std::uint32_t>(key));
                h.slot[key] = static_cast<std::uint16_t>(h.bins.size());
            }
            h.bins[h.slot[key] - 1u].Add(1, {c.r, c.g, c.b});
        }
    }
    return h;
}

// The bins that may seed first, fullest first; the others keep their order.
void OrderForSeeding(Histogram& h) {
    const auto seeding = std::stable_partition(h.used.begin(), h.used.end(),
                                               [&](std::uint32_t at) { return h.bins[at].count >= SeedPixels; });
    std::sort(h.used.begin(), seeding, [&](std::uint32_t a, std::uint32_t b) {
        return h.bins[a].count > h.bins[b].count || (h.bins[a].count == h.bins[b].count && h.keys[a] < h.keys[b]);
    });
}

// The index and squared distance of the colour nearest to one.
std::pair<std::size_t, double> Nearest(std::span<const Lab> colours, const Lab& colour) {
    std::size_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < colours.size(); ++k) {
        const double d = LabDistanceSquared(colours[k], colour);
        if (d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    }
    return {best, bestDistance};
}

// nullopt: more seeds than MaxSeeds.
std::optional<std::vector<Lab>> Seeds(const Histogram& h) {
    std::vector<Lab> seeds;
    for (std::size_t i = 0; i < h.used.size() && h.bins[h.used[i]].count >= SeedPixels; ++i) {
        const Lab& lab = h.labs[i];
        if (std::ranges::any_of(seeds, [&](const Lab& seed) { return LabDistanceSquared(seed, lab) < Squared(SeedSeparation); }))
            continue;
        if (seeds.size() == MaxSeeds) return std::nullopt;
        seeds.push_back(lab);
    }
    return seeds;
}

struct Mode {
    Lab lab;
    double mass = 0;  // pixels within the kernel's radius
};

// Mean shift with the Epanechnikov kernel over the bins, from the seed; it stops early on
// reaching a mode found before (nullopt).
std::optional<Mode> Climb(const Histogram& h, Lab at, std::span<const Lab> found, double radius) {
    constexpr int MaxSteps = 30;
    Mode mode{at};
    for (int step = 0; step < MaxSteps; ++step) {
        double weights = 0;
        Lab sum;
        mode.mass = 0;
        // Only bins within the radius in lightness can lie within it.
        auto near = std::ranges::partition_point(h.byLightness, [&](std::uint32_t i) { return h.labs[i].l <= mode.lab.l - radius; });
        for (; near != h.byLightness.end() && h.labs[*near].l < mode.lab.l + radius; ++near) {
            const std::uint32_t i = *near;
            const double d = LabDistanceSquared(mode.lab, h.labs[i]);
            if (d >= Squared(radius)) continue;
            const double count = h.bins[h.used[i]].count;
            const double weight = count * (1 - d / Squared(radius));
            weights += weight;
            sum.l += weight * h.labs[i].l;
            sum.a += weight * h.labs[i].a;
            sum.b += weight * h.labs[i].b;
            mode.mass += count;
        }
        const Lab next{sum.l / weights, sum.a / weights, sum.b / weights};
        const double moved = LabDistanceSquared(next, mode.lab);
        mode.lab = next;
        if (!found.empty() && Nearest(found, mode.lab).second < Squared(MergeDistance)) return std::nullopt;
        if (moved < Squared(0.1)) break;
    }
    return mode;
}

// The densest colours that gather enough of the picture's pixels, fullest first, as CIELAB; empty
// when they are no C64 picture's: one colour and noise (a grey card, a clear sky), more colours
// than a C64 picture has, or two closer than two C64 colours lie. A mode that gathers enough
// stays whatever is found after it, so a photograph is told as soon as such modes are too many
// or too close, without climbing from its other seeds.
std::vector<Lab> Modes(const Histogram& h, std::span<const Lab> seeds, std::size_t pixels, double radius) {
    const double least = std::max<double>(SeedPixels, static_cast<double>(pixels) * LeastModeShare);
    std::vector<Lab> reached;  // every mode, for the climbs to stop at
    std::vector<Lab> labs;     // of gathered, in its order
    std::vector<Mode> gathered;
    for (const Lab& seed : seeds) {
        const std::optional<Mode> mode = Climb(h, seed, reached, radius);
        if (!mode) continue;
        reached.push_back(mode->lab);
        if (mode->mass < least) continue;
        if (gathered.size() == MaxPictureColours || (!labs.empty() && Nearest(labs, mode->lab).second < Squared(MinCentreDistance)))
            return {};
        gathered.push_back(*mode);
        labs.push_back(mode->lab);
    }
    if (gathered.size() < 2) return {};
    std::ranges::stable_sort(gathered, [](const Mode& a, const Mode& b) { return a.mass > b.mass; });
    labs.clear();
    for (const Mode& mode : gathered) labs.push_back(mode.lab);
    return labs;
}

// The mean of the double-wide pixel that holds x, y (its two pixels are one C64 colour, each
// moved by its own noise), or the pixel itself at one pixel per C64 pixel.
Rgb PairMean(const DecodedPicture& picture, const PictureArea& area, int x, int y) {
    const Rgb a = picture.rgb[picture.At(x, y)];
    if (area.pixelWidth == 1) return a;
    const int first = x - (x - area.left) % 2;
    const int second = std::min(first + 1, area.left + area.width - 1);
    const Rgb left = picture.rgb[picture.At(first, y)];
    const Rgb right = picture.rgb[picture.At(second, y)];
    const auto mean = [](std::uint8_t p, std::uint8_t q) { return static_cast<std::uint8_t>((p + q + 1) / 2); };
    return {mean(left.r, right.r), mean(left.g, right.g), mean(left.b, right.b)};
}

// Each centre's colour: the mean of the pixels of the bins nearest it and within the radius.
std::vector<Rgb> CentreColours(const Histogram& h, std::span<const Lab> centres, double radius) {
    std::vector<Bin> sums(centres.size());
    for (std::size_t i = 0; i < h.used.size(); ++i) {
        const auto [k, d] = Nearest(centres, h.labs[i]);
        if (d < Squared(radius)) sums[k].Add(h.bins[h.used[i]].count, h.bins[h.used[i]].sum);
    }
    std::vector<Rgb> colours;
    for (std::size_t k = 0; k < centres.size(); ++k) colours.push_back(sums[k].count ? sums[k].Mean() : Rgb{});
    return colours;
}

}  // namespace

std::optional<ColourClusters> FindTightClusters(const DecodedPicture& picture, const PictureArea& area) {
    std::optional<Histogram> counted = Count(picture, area);
    if (!counted) return std::nullopt;
    Histogram& h = *counted;
    OrderForSeeding(h);
    // Only the seeds' colours are needed to tell most photographs (too many seeds).
    for (const std::uint32_t at : h.used) {
        if (h.bins[at].count < SeedPixels) break;
        h.labs.push_back(LabFast(h.bins[at].Mean()));
    }
    const std::size_t seedBins = h.labs.size();
    const std::optional<std::vector<Lab>> seeds = Seeds(h);
    if (!seeds) return std::nullopt;
    for (std::size_t i = seedBins; i < h.used.size(); ++i) h.labs.push_back(LabFast(h.bins[h.used[i]].Mean()));
    h.byLightness.resize(h.used.size());
    std::iota(h.byLightness.begin(), h.byLightness.end(), 0u);
    std::ranges::sort(h.byLightness, [&](std::uint32_t a, std::uint32_t b) { return h.labs[a].l < h.labs[b].l; });
    const std::size_t pixels = static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height);
    std::vector<Lab> centres;
    double radius = 0;
    for (const double r : KernelRadii) {
        centres = Modes(h, *seeds, pixels, r);
        radius = r;
        if (!centres.empty()) break;
    }
    if (centres.empty()) return std::nullopt;

    ColourClusters clusters;
    clusters.ofPixel.reserve(pixels);
    std::size_t tight = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const auto [k, d] = Nearest(centres, LabFast(PairMean(picture, area, x, y)));
            clusters.ofPixel.push_back(d <= Squared(MixedDistance) ? static_cast<std::uint8_t>(k) : NoCluster);
            tight += d <= Squared(TightDistance);
        }
    }
    if (static_cast<double>(tight) < TightShare * static_cast<double>(pixels)) return std::nullopt;
    clusters.centres = CentreColours(h, centres, radius);
    return clusters;
}

}  // namespace pxm

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <vector>

#include "core/nearest/dither.h"
#include "core/nearest/local_metric.h"
#include "core/nearest/nearest_picture.h"
#include "core/nearest/seen_refinement.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

const ShownColours Pepto = ShownColoursOf(C64Palettes[DefaultPalette]);
constexpr int ScreenWidth = 2 * CanvasColumns;

// The picture as the eye takes it in, worked out here independently of the converter: each
// multicolour pixel two screen pixels wide, a Gaussian of sigma 1 screen pixel in linear light
// (edges repeated), then CIELAB. colourAt(x, y) gives the multicolour pixel's colour.
template <typename ColourAt>
std::vector<Lab> Seen(const ColourAt& colourAt) {
    std::array<float, 7> kernel{};
    float sum = 0;
    for (int k = -3; k <= 3; ++k) sum += kernel[static_cast<std::size_t>(k + 3)] = std::exp(-0.5f * static_cast<float>(k * k));
    for (float& w : kernel) w /= sum;
    std::vector<LinearRgb> across(static_cast<std::size_t>(ScreenWidth) * CanvasRows);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) {
            LinearRgb s;
            for (int k = -3; k <= 3; ++k) {
                const LinearRgb c = colourAt(std::clamp(x + k, 0, ScreenWidth - 1) / 2, y);
                const float w = kernel[static_cast<std::size_t>(k + 3)];
                s = {s.r + w * c.r, s.g + w * c.g, s.b + w * c.b};
            }
            across[static_cast<std::size_t>(y * ScreenWidth + x)] = s;
        }
    }
    std::vector<Lab> seen(across.size());
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) {
            LinearRgb s;
            for (int k = -3; k <= 3; ++k) {
                const LinearRgb c = across[static_cast<std::size_t>(std::clamp(y + k, 0, CanvasRows - 1) * ScreenWidth + x)];
                const float w = kernel[static_cast<std::size_t>(k + 3)];
                s = {s.r + w * c.r, s.g + w * c.g, s.b + w * c.b};
            }
            seen[static_cast<std::size_t>(y * ScreenWidth + x)] = LabOf(s);
        }
    }
    return seen;
}

std::vector<Lab> SeenCanvas(const Canvas& canvas) {
    return Seen([&](int x, int y) { return Pepto.linear[canvas[CanvasIndex(x, y)]]; });
}

double MeanDistance(const std::vector<Lab>& x, const std::vector<Lab>& y) {
    double sum = 0;
    for (std::size_t i = 0; i < x.size(); ++i) sum += std::sqrt(LabDistanceSquared(x[i], y[i]));
    return sum / static_cast<double>(x.size());
}

// Blocks: the mean step between neighbouring seen pixels across the 8-pixel cell borders of the
// screen (both ways) over the mean step between neighbours inside cells. Across, only steps between
// two multicolour pixels count inside (the halves of one pixel always match before the blur).
double Blockiness(const std::vector<Lab>& seen) {
    double border = 0;
    double inside = 0;
    int borders = 0;
    int insides = 0;
    const auto step = [&](int x0, int y0, int x1, int y1, bool across) {
        const double d = std::sqrt(LabDistanceSquared(seen[static_cast<std::size_t>(y0 * ScreenWidth + x0)],
                                                      seen[static_cast<std::size_t>(y1 * ScreenWidth + x1)]));
        (across ? border : inside) += d;
        ++(across ? borders : insides);
    };
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 2; x < ScreenWidth; x += 2) step(x - 1, y, x, y, x % 8 == 0);
    }
    for (int y = 1; y < CanvasRows; ++y) {
        for (int x = 0; x < ScreenWidth; ++x) step(x, y - 1, x, y, y % 8 == 0);
    }
    return (border / borders) / (inside / insides);
}

struct Start {
    std::uint8_t background = 0;
    CellColourSets sets;
    std::unique_ptr<Canvas> canvas = std::make_unique<Canvas>();
};

// What the default starts from: the search's colours and its dither.
Start StartOf(const NearestTarget& target, const ModeColours& mode) {
    Start start;
    PaletteDistances distances(Pepto);
    const PixelDifferences pixels = DifferencesOfPixels(target, distances);
    start.background = ChooseBackground(pixels, mode);
    start.sets = ChooseCellColours(pixels, mode, start.background);
    DitherIntoCanvas(target, distances, start.sets, start.background, RefinementStart, *start.canvas);
    return start;
}

NearestTarget TargetOf(const auto& colourAt) {
    NearestTarget target;
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) {
            target.colours[NearestTarget::At(x, y)] = colourAt(x, y);
            target.held[NearestTarget::At(x, y)] = AnyColour;
        }
    }
    return target;
}

LinearRgb Between(LinearRgb x, LinearRgb y, float share) {
    return {x.r + share * (y.r - x.r), x.g + share * (y.g - x.g), x.b + share * (y.b - x.b)};
}

// One pair through the side-by-side measure: the metric, the difference, and the difference
// taken to linear light at the picture's colour.
struct MeasuredPair {
    LocalMetric metric;
    float difference = 0;
    LinearRgb step;  // the difference from target to result, to first order at the result
};
MeasuredPair MeasurePair(LinearRgb target, LinearRgb result) {
    const auto pairs = std::make_unique<Pairs>();
    const Lab t = LabOf(target);
    const Lab r = LabOf(result);
    const LabSlopes slopes = LabSlopesAt(result);
    const std::array<double, 3> tl{t.l, t.a, t.b};
    const std::array<double, 3> rl{r.l, r.a, r.b};
    for (std::size_t k = 0; k < 3; ++k) {
        pairs->target[k][0] = static_cast<float>(tl[k]);
        pairs->result[k][0] = static_cast<float>(rl[k]);
    }
    for (std::size_t k = 0; k < 9; ++k) pairs->slopes[k][0] = slopes.rows[k / 3][k % 3];
    MeasurePairs(*pairs, 1);
    MeasuredPair measured;
    for (std::size_t k = 0; k < 6; ++k) measured.metric.m[k] = pairs->metric[k][0];
    measured.difference = pairs->difference[0];
    measured.step = slopes.StepOf({static_cast<float>(rl[0] - tl[0]), static_cast<float>(rl[1] - tl[1]),
                                   static_cast<float>(rl[2] - tl[2])});
    return measured;
}

LinearRgb Plus(LinearRgb x, LinearRgb y) { return {x.r + y.r, x.g + y.g, x.b + y.b}; }

TEST(LocalMetric, SmallStepsAreSeenAsCiede2000SeesThem) {
    test::Random random(5);
    const auto unit = [&] { return static_cast<float>(random.below(1001)) / 1000.0f; };
    int near = 0;
    constexpr int Trials = 2000;
    for (int trial = 0; trial < Trials; ++trial) {
        const LinearRgb colour{0.02f + 0.95f * unit(), 0.02f + 0.95f * unit(), 0.02f + 0.95f * unit()};
        const LinearRgb step{0.01f * (unit() - 0.5f), 0.01f * (unit() - 0.5f), 0.01f * (unit() - 0.5f)};
        const double seen = std::sqrt(MeasurePair(colour, Plus(colour, step)).metric.Of(step));
        const double ciede = Ciede2000(LabOf(colour), LabOf(Plus(colour, step)));
        if (std::abs(seen - ciede) <= 0.03 * ciede + 0.002) ++near;
    }
    EXPECT_GE(near, Trials * 98 / 100) << near;
}

// However far apart (a saturated orange against the dull brown a C64 shows for it), the
// difference is CIEDE2000's, and the metric's pull on the picture's colour, M e / difference,
// is CIEDE2000's own slope there: what the refinement follows.
TEST(LocalMetric, FarApartThePullIsCiede2000sSlope) {
    test::Random random(11);
    const auto unit = [&] { return static_cast<float>(random.below(1001)) / 1000.0f; };
    int exact = 0;
    int tested = 0;   // of those at least 2 apart
    int steered = 0;  // the pull's direction within 18 degrees of the slope's
    int strong = 0;   // its strength along the slope within 20 %
    constexpr int Trials = 2000;
    for (int trial = 0; trial < Trials; ++trial) {
        const LinearRgb target{0.02f + 0.95f * unit(), 0.02f + 0.95f * unit(), 0.02f + 0.95f * unit()};
        const LinearRgb other{0.05f + 0.9f * unit(), 0.05f + 0.9f * unit(), 0.05f + 0.9f * unit()};
        const LinearRgb result = Between(target, other, 0.5f * unit());
        const MeasuredPair pair = MeasurePair(target, result);
        const double ciede = Ciede2000(LabOf(target), LabOf(result));
        if (std::abs(pair.difference - ciede) <= 0.001 * ciede + 0.01) ++exact;
        if (ciede < 2) continue;
        ++tested;
        const LocalMetric& m = pair.metric;
        const LinearRgb e = pair.step;
        const std::array<double, 3> pull{(m.m[0] * e.r + m.m[3] * e.g + m.m[4] * e.b) / pair.difference,
                                         (m.m[3] * e.r + m.m[1] * e.g + m.m[5] * e.b) / pair.difference,
                                         (m.m[4] * e.r + m.m[5] * e.g + m.m[2] * e.b) / pair.difference};
        constexpr float H = 0.002f;
        std::array<double, 3> slope{};
        for (std::size_t k = 0; k < 3; ++k) {
            const LinearRgb h{k == 0 ? H : 0.0f, k == 1 ? H : 0.0f, k == 2 ? H : 0.0f};
            const LinearRgb less{result.r - h.r, result.g - h.g, result.b - h.b};
            slope[k] = (Ciede2000(LabOf(target), LabOf(Plus(result, h))) - Ciede2000(LabOf(target), LabOf(less))) / (2 * H);
        }
        const double length = std::hypot(slope[0], slope[1], slope[2]);
        const double along = (pull[0] * slope[0] + pull[1] * slope[1] + pull[2] * slope[2]) / length;
        if (std::abs(along - length) <= 0.2 * length) ++strong;
        if (along >= 0.95 * std::hypot(pull[0], pull[1], pull[2])) ++steered;
    }
    EXPECT_GE(exact, Trials * 99 / 100) << exact;
    EXPECT_GE(steered, tested * 95 / 100) << steered << " of " << tested;
    EXPECT_GE(strong, tested * 88 / 100) << strong << " of " << tested;
}

// A sky: light blue at the top to blue at the bottom, dark towards one side. The dither alone
// breaks it into cells of differing colours; refined, it lies nearer as seen and its cell
// borders step no more than the dither's own texture.
TEST(SeenRefinement, ASkyComesNearerWithoutBlocks) {
    const NearestTarget sky = TargetOf([](int x, int y) {
        const LinearRgb top = Pepto.linear[14];
        const LinearRgb bottom = Pepto.linear[6];
        return Between(Between(top, bottom, static_cast<float>(y) / CanvasRows), LinearRgb{}, 0.4f * static_cast<float>(x) / CanvasColumns);
    });
    Start start = StartOf(sky, ModeColoursOf(PaletteMode::Multicolour, AutoBackground));
    const std::vector<Lab> target = Seen([&](int x, int y) { return sky.colours[NearestTarget::At(x, y)]; });
    const std::vector<Lab> before = SeenCanvas(*start.canvas);
    SecondThread second;
    RefineAsSeen(sky, Pepto, ModeColoursOf(PaletteMode::Multicolour, AutoBackground), start.background, start.sets, *start.canvas, second);
    const std::vector<Lab> after = SeenCanvas(*start.canvas);
    EXPECT_LT(MeanDistance(after, target), 0.8 * MeanDistance(before, target));
    EXPECT_GT(Blockiness(before), 1.1);
    EXPECT_LT(Blockiness(after), 1.05);
}

// Whatever it changes, every pixel keeps to its cell's colours, every cell keeps the background
// and at most three more, all of the mode's; the koalizer takes the picture as it is. And the
// picture is the same made on one thread or two.
TEST(SeenRefinement, KeepsEveryCellToItsColoursAndTheMode) {
    test::Random random(9);
    const NearestTarget noise = TargetOf([&](int, int) {
        return LinearRgb{static_cast<float>(random.below(256)) / 255.0f, static_cast<float>(random.below(256)) / 255.0f,
                         static_cast<float>(random.below(256)) / 255.0f};
    });
    for (const PaletteMode mode : {PaletteMode::Multicolour, PaletteMode::FourGreys, PaletteMode::FiveGreys}) {
        const ModeColours colours = ModeColoursOf(mode, AutoBackground);
        Start start = StartOf(noise, colours);
        const Canvas dithered = *start.canvas;
        Start alone = StartOf(noise, colours);
        SecondThread second;
        SecondThread none(Threading::One);
        RefineAsSeen(noise, Pepto, colours, start.background, start.sets, *start.canvas, second);
        RefineAsSeen(noise, Pepto, colours, alone.background, alone.sets, *alone.canvas, none);
        EXPECT_NE(*start.canvas, dithered);
        EXPECT_EQ(*start.canvas, *alone.canvas);
        EXPECT_EQ(start.sets, alone.sets);
        for (int cell = 0; cell < CellCount; ++cell) {
            const ColourSet set = start.sets[static_cast<std::size_t>(cell)];
            EXPECT_TRUE(Holds(set, start.background));
            EXPECT_LE(std::popcount(set), 4);
            EXPECT_EQ(set & ~(colours.cellColours | 1u << start.background), 0);
            for (int p = 0; p < 32; ++p) {
                const int x = 4 * (cell % CellColumns) + p % 4;
                const int y = 8 * (cell / CellColumns) + p / 4;
                ASSERT_TRUE(Holds(set, (*start.canvas)[CanvasIndex(x, y)])) << cell;
            }
        }
        auto image = std::make_unique<KoalaImage>();
        EXPECT_TRUE(Koalize(*start.canvas, *image, mode, BackgroundChoice{start.background}).ok());
    }
}

// Nothing to mend: a picture of C64 colours in large areas comes out as it is, without a single
// stray pixel of texture.
TEST(SeenRefinement, AreasOfC64ColoursStayFlat) {
    const NearestTarget areas = TargetOf([](int x, int y) { return Pepto.linear[x < 80 ? (y < 100 ? 6 : 14) : 5]; });
    Start start = StartOf(areas, ModeColoursOf(PaletteMode::Multicolour, AutoBackground));
    SecondThread second;
    RefineAsSeen(areas, Pepto, ModeColoursOf(PaletteMode::Multicolour, AutoBackground), start.background, start.sets, *start.canvas, second);
    for (int y = 0; y < CanvasRows; ++y) {
        for (int x = 0; x < CanvasColumns; ++x) ASSERT_EQ((*start.canvas)[CanvasIndex(x, y)], x < 80 ? (y < 100 ? 6 : 14) : 5);
    }
}

}  // namespace
}  // namespace pxm

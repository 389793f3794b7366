// The --nearest road's parts: the scaling of a camera-sized picture, the reading of a lossy copy
// of a C64 picture, the search for the background and the cell colours, each dither, and the
// fewest changes of clashing pixel art.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "lib/reading/picture_scaling.h"
#include "core/nearest/lossy_picture.h"
#include "core/nearest/nearest_picture.h"
#include "core/nearest/seen_refinement.h"
#include "tests/core/core_test_support.h"

namespace pxm::bench {
namespace {

// A photograph's worth of colours: smooth shapes with grain, so that most pixels differ.
std::uint32_t PhotoPixel(int x, int y, int width, test::Random& grain) {
    const double u = static_cast<double>(x) / width;
    const double v = static_cast<double>(y) / width;
    const auto channel = [&](double phase) {
        const double smooth = 0.5 + 0.4 * std::sin(phase + 9 * u + 5 * v) * std::cos(phase * 2 + 4 * v - 3 * u);
        return static_cast<std::uint32_t>(std::clamp(smooth * 255 + grain.below(17) - 8, 0.0, 255.0));
    };
    return channel(0.3) << 16 | channel(1.9) << 8 | channel(4.1);
}

DecodedPicture Photo(int width, int height) {
    test::Random grain(42);
    DecodedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = PhotoPixel(x, y, width, grain);
            picture.rgb.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
        }
    }
    return picture;
}

// A C64 picture in areas of its colours, each channel moved by up to 4 steps as a lossy copy has it.
DecodedPicture NoisyC64Copy() {
    test::Random noise(5);
    DecodedPicture picture;
    picture.width = 320;
    picture.height = 200;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            const Rgb c = C64Palettes[DefaultPalette].colours[static_cast<std::size_t>((x / 8 + y / 4 * 3) % 16)];
            const auto move = [&](std::uint8_t v) { return static_cast<std::uint8_t>(std::clamp(v + noise.below(9) - 4, 0, 255)); };
            picture.rgb.push_back({move(c.r), move(c.g), move(c.b)});
        }
    }
    return picture;
}

const NearestTarget& PhotoTarget() {
    static const NearestTarget target = TargetFromPairs(Photo(320, 200), {0, 0, 320, 200}, {});
    return target;
}

const ModeColours Multicolour = ModeColoursOf(PaletteMode::Multicolour, AutoBackground);
const ShownColours Pepto = ShownColoursOf(C64Palettes[DefaultPalette]);

void BM_NearestScaleTo160x200(benchmark::State& state) {
    const DecodedPicture picture = Photo(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(ScaleToScreen(picture, ScaleMode::Fit));
}
BENCHMARK(BM_NearestScaleTo160x200)->Args({640, 480})->Args({4000, 3000})->Unit(benchmark::kMillisecond);

// Telling a C64 picture gone lossy from a photograph: what refusing the grainy photograph costs
// (every photograph of a size placed pays it), and reading a noisy copy of a C64 picture.
void BM_NearestLossyReading(benchmark::State& state) {
    const bool photo = state.range(0) == 0;
    const DecodedPicture picture = photo ? Photo(320, 200) : NoisyC64Copy();
    for (auto _ : state) benchmark::DoNotOptimize(ReadLossyPicture(picture, {0, 0, 320, 200}, {}));
    state.SetLabel(photo ? "photograph" : "lossy copy");
}
BENCHMARK(BM_NearestLossyReading)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The background and every cell's colours, from a fresh table of differences as in a run.
void BM_NearestCellSearch(benchmark::State& state) {
    for (auto _ : state) {
        auto distances = std::make_unique<PaletteDistances>(Pepto);
        const PixelDifferences pixels = DifferencesOfPixels(PhotoTarget(), *distances);
        const std::uint8_t background = ChooseBackground(pixels, Multicolour);
        benchmark::DoNotOptimize(ChooseCellColours(pixels, Multicolour, background));
    }
}
BENCHMARK(BM_NearestCellSearch)->Unit(benchmark::kMillisecond);

// One dither over the whole screen, the table of differences filled by the search before.
void BM_NearestDither(benchmark::State& state) {
    const auto kind = static_cast<DitherKind>(state.range(0));
    auto distances = std::make_unique<PaletteDistances>(Pepto);
    const PixelDifferences pixels = DifferencesOfPixels(PhotoTarget(), *distances);
    const std::uint8_t background = ChooseBackground(pixels, Multicolour);
    const CellColourSets sets = ChooseCellColours(pixels, Multicolour, background);
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        DitherIntoCanvas(PhotoTarget(), *distances, sets, background, {kind, 0.8f}, *canvas);
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(DitherKindNames[static_cast<std::size_t>(state.range(0))].name));
}
BENCHMARK(BM_NearestDither)->DenseRange(0, static_cast<int>(DitherKindNames.size()) - 1)->Unit(benchmark::kMillisecond);

// What telling two dithers apart costs: the target as seen once, a picture as seen against it.
// The refinement as seen alone, from the dither it starts from, on one thread or two.
void BM_NearestRefinement(benchmark::State& state) {
    auto distances = std::make_unique<PaletteDistances>(Pepto);
    const PixelDifferences pixels = DifferencesOfPixels(PhotoTarget(), *distances);
    const std::uint8_t background = ChooseBackground(pixels, Multicolour);
    const CellColourSets chosen = ChooseCellColours(pixels, Multicolour, background);
    auto start = std::make_unique<Canvas>();
    DitherIntoCanvas(PhotoTarget(), *distances, chosen, background, RefinementStart, *start);
    auto canvas = std::make_unique<Canvas>();
    SecondThread second(state.range(0) == 2 ? Threading::Two : Threading::One);
    for (auto _ : state) {
        CellColourSets sets = chosen;
        *canvas = *start;
        RefineAsSeen(PhotoTarget(), Pepto, Multicolour, background, sets, *canvas, second);
        benchmark::DoNotOptimize(canvas->data());
    }
}
BENCHMARK(BM_NearestRefinement)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole nearest picture with the defaults, from a fresh table of differences: the search,
// the dither and its refinement as seen, the koalization; on one thread or two.
void BM_NearestWholePicture(benchmark::State& state) {
    auto canvas = std::make_unique<Canvas>();
    auto image = std::make_unique<KoalaImage>();
    NearestSettings settings;
    settings.threading = state.range(0) == 2 ? Threading::Two : Threading::One;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeNearestPicture(PhotoTarget(), C64Palettes[DefaultPalette], settings, *canvas, *image));
    }
}
BENCHMARK(BM_NearestWholePicture)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Pixel art of eight colours a cell: every cell clashes, every background is weighed.
void BM_NearestFewestChanges(benchmark::State& state) {
    test::Random random(7);
    NearestTarget art;
    art.pixelArt = true;
    for (std::size_t at = 0; at < TargetPixelCount; ++at) {
        art.held[at] = static_cast<std::uint8_t>(random.below(8) + (at / 4 % 3));
        art.colours[at] = Pepto.linear[art.held[at]];
    }
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        auto distances = std::make_unique<PaletteDistances>(Pepto);
        benchmark::DoNotOptimize(FindFewestChanges(art, *distances, Multicolour, *canvas));
    }
}
BENCHMARK(BM_NearestFewestChanges)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pxm::bench

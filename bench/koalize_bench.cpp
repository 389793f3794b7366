#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "core/koala/koalize.h"

namespace pxm::bench {
namespace {

void BM_KoalizeMulticolourAllSlots(benchmark::State& state) {
    const auto canvas = AllSlotsCanvas();
    auto image = std::make_unique<KoalaImage>();
    if (!KoalizeMulticolour(*canvas, *image, 0).ok()) state.SkipWithError("picture does not koalize");
    for (auto _ : state) {
        benchmark::DoNotOptimize(KoalizeMulticolour(*canvas, *image, 0));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_KoalizeMulticolourAllSlots)->Unit(benchmark::kMicrosecond);

void BM_AutoBackgroundOnlyLightGrey(benchmark::State& state) {
    const auto canvas = OnlyLastBackgroundCanvas();
    auto image = std::make_unique<KoalaImage>();
    const auto check = AutoBackgroundSearch(*canvas, *image);
    if (check.autoBackground != 15) state.SkipWithError("background 15 is not the one found");
    for (auto _ : state) {
        benchmark::DoNotOptimize(AutoBackgroundSearch(*canvas, *image));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AutoBackgroundOnlyLightGrey)->Unit(benchmark::kMicrosecond);

void BM_KoalizeFiveGreys(benchmark::State& state) {
    const auto canvas = FiveGreyCanvas();
    auto image = std::make_unique<KoalaImage>();
    if (!KoalizeFiveGreys(*canvas, *image).ok()) state.SkipWithError("picture does not koalize");
    for (auto _ : state) {
        benchmark::DoNotOptimize(KoalizeFiveGreys(*canvas, *image));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_KoalizeFiveGreys)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

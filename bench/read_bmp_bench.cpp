#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "core/import/bmp_reader.h"

namespace pxm::bench {
namespace {

void ReadBmpOf(benchmark::State& state, int bitsPerPixel) {
    const auto file = AllSlotsBmp(bitsPerPixel);
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadBmp(file, *canvas));
        benchmark::ClobberMemory();
    }
}

void BM_ReadBmp16Colours(benchmark::State& state) { ReadBmpOf(state, 4); }
void BM_ReadBmp256Colours(benchmark::State& state) { ReadBmpOf(state, 8); }
BENCHMARK(BM_ReadBmp16Colours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBmp256Colours)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "core/export/sp2_packer.h"
#include "core/tape/tap_image.h"

namespace pxm::bench {
namespace {

void BM_PackSp2BusyPicture(benchmark::State& state) {
    const auto image = BusyImage();
    auto stream = std::make_unique<PictureData>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PackSp2(*image, true, *stream));
        benchmark::ClobberMemory();
    }
    state.counters["stream_bytes"] = static_cast<double>(stream->size);
}
BENCHMARK(BM_PackSp2BusyPicture)->Unit(benchmark::kMicrosecond);

void BM_KoalaTapImage(benchmark::State& state) {
    const auto image = BusyImage();
    std::vector<std::uint8_t> tape;
    for (auto _ : state) {
        tape.clear();
        WriteTapeImage(tape, {InfoOf(ExportFormat::Koala).loadAddress, InfoOf(ExportFormat::Koala).c64Name, *image});
        benchmark::DoNotOptimize(tape.data());
    }
    state.counters["tap_bytes"] = static_cast<double>(tape.size());
}
BENCHMARK(BM_KoalaTapImage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

// Reading a C64 picture back out of each container, as the converter's input does it.
#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "core/c64read/c64_picture_reader.h"
#include "core/export/picture_file.h"

namespace pxm::bench {
namespace {

void ReadBack(benchmark::State& state, ExportFormat format, Container container) {
    const auto image = BusyImage();
    const PictureFile file = BuildPictureFile(*image, format, container, false);
    for (auto _ : state) {
        const Result<C64Picture, ReadFailure> picture = ReadC64Picture(file.bytes, {});
        if (!picture) state.SkipWithError("the picture did not read back");
        benchmark::DoNotOptimize(picture.ok());
    }
    state.counters["file_bytes"] = static_cast<double>(file.bytes.size());
}

void BM_ReadKoalaPrg(benchmark::State& state) { ReadBack(state, ExportFormat::Koala, Container::Prg); }
void BM_ReadKoalaP00(benchmark::State& state) { ReadBack(state, ExportFormat::Koala, Container::P00); }
void BM_ReadKoalaTap(benchmark::State& state) { ReadBack(state, ExportFormat::Koala, Container::Tap); }
void BM_ReadKoalaD64(benchmark::State& state) { ReadBack(state, ExportFormat::Koala, Container::D64); }
void BM_ReadSp2Prg(benchmark::State& state) { ReadBack(state, ExportFormat::Sp2, Container::Prg); }
BENCHMARK(BM_ReadKoalaPrg)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadKoalaP00)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadKoalaTap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadKoalaD64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadSp2Prg)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

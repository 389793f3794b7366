#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "cli/picture_decoder.h"
#include "core/import/picture_import.h"

namespace pxm::bench {
namespace {

// A 384x272 screenshot: libpng decodes it, every colour is matched against the known palettes
// (AUTO), the pairs are checked and the Canvas filled.
void BM_ReadPngScreenshotAutoPalette(benchmark::State& state) {
    const auto file = AllSlotsPng(true);
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        const cli::DecodeOutcome decoded = cli::DecodePng(file);
        const PictureImport imported = ImportPicture(decoded.picture, PictureKind::Png, {}, *canvas);
        if (imported.palette != DefaultPalette) {
            state.SkipWithError("pepto not found");
            break;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReadPngScreenshotAutoPalette)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

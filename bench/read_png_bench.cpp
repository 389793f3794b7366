#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "lib/reading/picture_decoder.h"
#include "core/import/picture_import.h"

namespace pxm::bench {
namespace {

// A 384x272 screenshot: libpng decodes it, every colour is matched against the known palettes
// (AUTO), the pairs are checked and the Canvas filled.
void BM_ReadPngScreenshotAutoPalette(benchmark::State& state) {
    const auto file = AllSlotsPng(true);
    auto canvas = std::make_unique<Canvas>();
    for (auto _ : state) {
        const DecodeOutcome decoded = DecodePng(file);
        const PictureImport imported = ImportPicture(decoded.picture, PictureKind::Png, {}, *canvas);
        if (imported.palette != DefaultPalette) {
            state.SkipWithError("pepto not found");
            break;
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ReadPngScreenshotAutoPalette)->Unit(benchmark::kMicrosecond);

// A camera's 24-megapixel PNG as --nearest decodes one to be scaled: row by row into blocks of
// 9x10 (666x400); held_MB, the block sums and the picture they make, is all that grows with it.
void BM_DecodePng24MegapixelsScaledDown(benchmark::State& state) {
    const auto file = CameraPng24Megapixels();
    state.counters["file_bytes"] = static_cast<double>(file.size());
    for (auto _ : state) {
        const DecodeOutcome decoded = DecodePng(file, SizesTaken::ScaledDown);
        if (decoded.status != DecodeOutcome::Status::Decoded || decoded.reduction != BoxFactors{9, 10}) {
            state.SkipWithError("not brought down by 9x10");
            break;
        }
        const auto pixels = static_cast<double>(decoded.picture.rgb.size());
        state.counters["held_MB"] = pixels * (sizeof(LinearPixel) + sizeof(Rgb) + 1) / 1e6;
        benchmark::DoNotOptimize(decoded.picture.rgb.data());
    }
}
BENCHMARK(BM_DecodePng24MegapixelsScaledDown)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pxm::bench

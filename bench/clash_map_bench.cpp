#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "lib/reading/picture_decoder.h"
#include "lib/output/preview_png.h"
#include "core/koala/clashing_cells.h"
#include "core/view/clash_map.h"

namespace pxm::bench {
namespace {

// The whole clash map of a screenshot under AUTO, where only background 15 works: the failing
// cells of all sixteen backgrounds, the picture as read, the frames and the PNG.
void BM_ClashMapScreenshotAuto(benchmark::State& state) {
    const auto canvas = OnlyLastBackgroundCanvas();
    const DecodeOutcome decoded = DecodePng(AllSlotsPng(true));
    for (auto _ : state) {
        const Clashes clashes = FindClashes(*canvas, PaletteMode::Multicolour, AutoBackground);
        RgbPicture map = PictureAsRead(*canvas, C64Palettes[DefaultPalette], &decoded.picture);
        FrameCells(map, clashes.cells, UnusedColour(map));
        const EncodedPng png = EncodePng(map.pixels, map.width, map.height);
        benchmark::DoNotOptimize(png.ok());
    }
}
BENCHMARK(BM_ClashMapScreenshotAuto)->Unit(benchmark::kMicrosecond);

// Its first part alone, which every refused multicolour conversion runs to count the cells.
void BM_FindClashesAuto(benchmark::State& state) {
    const auto canvas = OnlyLastBackgroundCanvas();
    for (auto _ : state) {
        const Clashes clashes = FindClashes(*canvas, PaletteMode::Multicolour, AutoBackground);
        benchmark::DoNotOptimize(clashes.cells);
    }
}
BENCHMARK(BM_FindClashesAuto)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "lib/reading/picture_decoder.h"
#include "core/import/palette_match.h"
#include "tests/support/palette_perturbation.h"

namespace pxm::bench {
namespace {

// The palette step alone on a decoded 384x272 screenshot (15 colours) against the 35 palettes:
// the colours collected pixel by pixel, then assigned in each palette.
void MatchScreenshot(benchmark::State& state, const std::array<Rgb, 16>& colours, ColourRefusal expected) {
    const DecodeOutcome decoded = DecodePng(AllSlotsPng(true, colours));
    const PictureArea area{32, 35, 320, 200};
    for (auto _ : state) {
        const PaletteMatch match = MatchPalette(decoded.picture, area, {});
        if (match.refusal != expected) {
            state.SkipWithError("unexpected outcome");
            break;
        }
        benchmark::DoNotOptimize(match.numbers.data());
    }
}

// In pepto exactly: each palette before pepto is assigned, every one after it is ruled out by
// its cheapest entries alone.
void BM_PaletteStepScreenshotPepto(benchmark::State& state) {
    MatchScreenshot(state, C64Palettes[DefaultPalette].colours, ColourRefusal::None);
}
BENCHMARK(BM_PaletteStepScreenshotPepto)->Unit(benchmark::kMicrosecond);

// In a palette in no list (pepto's hues turned, a brightness step moved, all shifted).
void BM_PaletteStepScreenshotUnlisted(benchmark::State& state) {
    const auto colours = test::AllShifted(
        test::StepMoved(test::AllHuesTurned(C64Palettes[DefaultPalette].colours, 10), 2, 11, 30), 6, -4, 5);
    MatchScreenshot(state, colours, ColourRefusal::None);
}
BENCHMARK(BM_PaletteStepScreenshotUnlisted)->Unit(benchmark::kMicrosecond);

// A foreign colour: the refusal leaves each colour out in turn against every palette.
void BM_PaletteStepScreenshotForeignColour(benchmark::State& state) {
    auto colours = C64Palettes[DefaultPalette].colours;
    colours[4] = {0xFF, 0x00, 0xFF};
    MatchScreenshot(state, colours, ColourRefusal::UnknownColour);
}
BENCHMARK(BM_PaletteStepScreenshotForeignColour)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

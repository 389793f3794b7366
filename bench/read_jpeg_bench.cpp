#include <benchmark/benchmark.h>

#include "bench/bench_pictures.h"
#include "lib/reading/picture_decoder.h"
#include "core/import/colour_count.h"

namespace pxm::bench {
namespace {

// libjpeg-turbo decodes a lossy 384x272 screenshot to RGB, as the converter reads a JPEG.
void DecodeJpegScreenshot(benchmark::State& state, bool progressive) {
    const auto file = AllSlotsJpegScreenshot(progressive);
    for (auto _ : state) {
        const DecodeOutcome decoded = DecodeJpeg(file);
        if (decoded.status != DecodeOutcome::Status::Decoded) {
            state.SkipWithError("not decoded");
            break;
        }
        benchmark::DoNotOptimize(decoded.picture.rgb.data());
    }
}

void BM_DecodeJpegScreenshot(benchmark::State& state) { DecodeJpegScreenshot(state, false); }
BENCHMARK(BM_DecodeJpegScreenshot)->Unit(benchmark::kMicrosecond);

void BM_DecodeJpegScreenshotProgressive(benchmark::State& state) { DecodeJpegScreenshot(state, true); }
BENCHMARK(BM_DecodeJpegScreenshotProgressive)->Unit(benchmark::kMicrosecond);

// What the refusal of a lossy JPEG adds to the decoding: counting its colours.
// A camera's 12-megapixel JPEG as --nearest decodes one to be scaled: at 1/8 of its size.
void BM_DecodeJpeg12MegapixelsScaledDown(benchmark::State& state) {
    const auto file = CameraJpeg12Megapixels();
    state.counters["file_bytes"] = static_cast<double>(file.size());
    for (auto _ : state) {
        const DecodeOutcome decoded = DecodeJpeg(file, SizesTaken::ScaledDown);
        if (decoded.status != DecodeOutcome::Status::Decoded || (decoded.reduction != BoxFactors{8, 8})) {
            state.SkipWithError("not decoded at 1/8");
            break;
        }
        benchmark::DoNotOptimize(decoded.picture.rgb.data());
    }
}
BENCHMARK(BM_DecodeJpeg12MegapixelsScaledDown)->Unit(benchmark::kMillisecond);

// A phone's 50-megapixel JPEG, the same way: 1020x765.
void BM_DecodeJpeg50MegapixelsScaledDown(benchmark::State& state) {
    const auto file = PhoneJpeg50Megapixels();
    state.counters["file_bytes"] = static_cast<double>(file.size());
    for (auto _ : state) {
        const DecodeOutcome decoded = DecodeJpeg(file, SizesTaken::ScaledDown);
        if (decoded.status != DecodeOutcome::Status::Decoded || decoded.reduction != BoxFactors{8, 8}) {
            state.SkipWithError("not decoded at 1/8");
            break;
        }
        benchmark::DoNotOptimize(decoded.picture.rgb.data());
    }
}
BENCHMARK(BM_DecodeJpeg50MegapixelsScaledDown)->Unit(benchmark::kMillisecond);

void BM_CountColoursJpegScreenshot(benchmark::State& state) {
    const DecodeOutcome decoded = DecodeJpeg(AllSlotsJpegScreenshot(false));
    for (auto _ : state) {
        const std::size_t colours = CountColours(decoded.picture);
        if (colours <= C64ColourCount) {
            state.SkipWithError("a lossy picture of few colours");
            break;
        }
        benchmark::DoNotOptimize(colours);
    }
}
BENCHMARK(BM_CountColoursJpegScreenshot)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pxm::bench

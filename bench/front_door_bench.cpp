// The conversion through the library's C interface, as another program calls it: a BMP to a
// Koala PRG, a camera's 12-megapixel JPEG's nearest picture, and the same photograph handed over
// as RGBA pixels at the screen's size (as a web page does after decoding it).
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/bench_pictures.h"
#include "pixmosaic.h"

namespace pxm::bench {
namespace {

struct Options {
    pxm_options* handle = pxm_options_new();
    Options(std::initializer_list<std::pair<const char*, const char*>> settings) {
        for (const auto& [name, value] : settings) pxm_options_set(handle, name, value);
    }
    ~Options() { pxm_options_free(handle); }
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;
};

void Convert(benchmark::State& state, const Options& options, const std::vector<std::uint8_t>& file) {
    for (auto _ : state) {
        pxm_result* result = pxm_convert(options.handle, file.data(), file.size());
        if (pxm_result_status(result) != 0) state.SkipWithError(pxm_result_message(result));
        pxm_result_free(result);
    }
}

void BM_LibraryBmpToKoalaPrg(benchmark::State& state) { Convert(state, Options{}, AllSlotsBmp(4)); }
BENCHMARK(BM_LibraryBmpToKoalaPrg)->Unit(benchmark::kMicrosecond);

void BM_LibraryNearestJpeg12Megapixels(benchmark::State& state) {
    Convert(state, Options{{"nearest", "1"}}, CameraJpeg12Megapixels());
}
BENCHMARK(BM_LibraryNearestJpeg12Megapixels)->Unit(benchmark::kMillisecond);

void BM_LibraryNearestRgba320x200(benchmark::State& state) {
    const auto pixel = CameraPhoto();
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 320; ++x) {
            const std::uint32_t rgb = pixel(x * 12, y * 15);
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                                     static_cast<std::uint8_t>(rgb), 255});
        }
    }
    const Options options{{"nearest", "1"}};
    for (auto _ : state) {
        pxm_result* result = pxm_convert_rgba(options.handle, rgba.data(), 320, 200, 320 * 4);
        if (pxm_result_status(result) != 0) state.SkipWithError(pxm_result_message(result));
        pxm_result_free(result);
    }
}
BENCHMARK(BM_LibraryNearestRgba320x200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pxm::bench

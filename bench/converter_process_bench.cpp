// The whole converter as a user runs it: process start, BMP read, AUTO, Koala PRG written; and
// --nearest on a camera's JPEG; a folder of pictures in one call.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_pictures.h"

extern char** environ;

namespace pxm::bench {
namespace {

int Spawn(const std::string& program, const std::vector<std::string>& args) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the converter on the picture file, to a Koala PRG, once an iteration.
void ConvertInProcesses(benchmark::State& state, const std::vector<std::uint8_t>& picture, const std::string& name,
                        const std::vector<std::string>& options = {}) {
    const auto dir = std::filesystem::temp_directory_path() / ("pixmosaic-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string input = (dir / name).string();
    const std::string output = (dir / "out.prg").string();
    std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(picture.data()),
                                                 static_cast<std::streamsize>(picture.size()));
    for (auto _ : state) {
        std::vector<std::string> args{input, "-o", output};
        args.insert(args.end(), options.begin(), options.end());
        if (Spawn(PIXMOSAIC_CLI_PATH, args) != 0) {
            state.SkipWithError("the converter failed");
            break;
        }
    }
    std::filesystem::remove_all(dir);
}

void BM_ConverterBmpToKoalaPrg(benchmark::State& state) { ConvertInProcesses(state, AllSlotsBmp(4), "in.bmp"); }
BENCHMARK(BM_ConverterBmpToKoalaPrg)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same picture as a 320x200 PNG in pepto's RGB: decoding and palette detection on top.
void BM_ConverterPngToKoalaPrg(benchmark::State& state) { ConvertInProcesses(state, AllSlotsPng(false), "in.png"); }
BENCHMARK(BM_ConverterPngToKoalaPrg)->Unit(benchmark::kMillisecond)->UseRealTime();

// --nearest on a camera's 12-megapixel JPEG: decoded at 1/8, fitted, searched, dithered, written.
void BM_ConverterNearestJpeg12MegapixelsToKoalaPrg(benchmark::State& state) {
    ConvertInProcesses(state, CameraJpeg12Megapixels(), "photo.jpg", {"--nearest"});
}
BENCHMARK(BM_ConverterNearestJpeg12MegapixelsToKoalaPrg)->Unit(benchmark::kMillisecond)->UseRealTime();

// A phone's 50-megapixel JPEG: decoded at 1/8 (1020x765), the rest as above.
void BM_ConverterNearestJpeg50MegapixelsToKoalaPrg(benchmark::State& state) {
    ConvertInProcesses(state, PhoneJpeg50Megapixels(), "phone.jpg", {"--nearest"});
}
BENCHMARK(BM_ConverterNearestJpeg50MegapixelsToKoalaPrg)->Unit(benchmark::kMillisecond)->UseRealTime();

// A camera's 24-megapixel PNG (51 MB): brought down by blocks of 9x10 as its rows are decoded.
// (Its peak memory is measured with /usr/bin/time -v: a spawned child's ru_maxrss counts this
// process's memory at the spawn.)
void BM_ConverterNearestPng24MegapixelsToKoalaPrg(benchmark::State& state) {
    ConvertInProcesses(state, CameraPng24Megapixels(), "camera.png", {"--nearest"});
}
BENCHMARK(BM_ConverterNearestPng24MegapixelsToKoalaPrg)->Unit(benchmark::kMillisecond)->UseRealTime();

// A folder of pictures in one call (-o FOLDER/), state.range(0) pictures at once: the
// throughput of many pictures, against one process per picture above.
constexpr int BatchPictures = 300;

void BM_ConverterBatchPngToKoalaPrg(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / ("pixmosaic-batch-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "out");
    const std::vector<std::uint8_t> picture = AllSlotsPng(false);
    std::vector<std::string> args{"-j", std::to_string(state.range(0)), "-o", (dir / "out").string() + "/"};
    for (int n = 0; n < BatchPictures; ++n) {
        const std::string input = (dir / ("picture-" + std::to_string(n) + ".png")).string();
        std::ofstream(input, std::ios::binary).write(reinterpret_cast<const char*>(picture.data()),
                                                     static_cast<std::streamsize>(picture.size()));
        args.push_back(input);
    }
    for (auto _ : state) {
        if (Spawn(PIXMOSAIC_CLI_PATH, args) != 0) {
            state.SkipWithError("the converter failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * BatchPictures);
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ConverterBatchPngToKoalaPrg)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace pxm::bench

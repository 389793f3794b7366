// Writes the BMP fuzzer's seed corpus into the directory given: BMPs of every kind the reader
// meets, good and bad, made with the tests' BMP builder, and the example pictures from the
// folder given second; each after the choice bytes of settings that suit it.
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/koala/colour_names.h"
#include "fuzz/conversion_choice.h"
#include "tests/support/bmp_builder.h"

namespace {

using pxm::fuzz::Settings;
using pxm::test::BmpShape;
using pxm::test::MakeBmp;

void WriteSeed(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& bmp, const Settings& settings = {}) {
    pxm::fuzz::WriteChosenSeed(dir, name, pxm::fuzz::BmpDimensions(), settings, bmp);
}

// The example pictures' settings: the grey modes for the grey ones, the landscape's own
// background in a showing program.
const std::map<std::string, Settings> ExampleSettings{
    {"greys4.bmp", {{"mode", "grey4"}}},
    {"greys5.bmp", {{"mode", "grey5"}}},
    {"landscape-16.bmp", {{"background", std::string(pxm::ColourName(14))}, {"executable", "1"}, {"name", "FUZZED"}, {"container", "d64"}}},
};

int Stripes(int x, int y) { return (x / 8 + y / 8) % 3 + 1; }
int Greys(int x, int y) {
    static constexpr int Levels[5] = {0, 11, 12, 15, 1};
    return Levels[(x / 2 + y) % (x < 160 ? 4 : 5)];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_seed_corpus DIR EXAMPLES_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const auto& example : std::filesystem::directory_iterator(argv[2])) {
        const std::string name = example.path().filename().string();
        const auto settings = ExampleSettings.find(name);
        WriteSeed(dir, name, pxm::fuzz::ReadSeed(example.path().string()),
                  settings == ExampleSettings.end() ? Settings{} : settings->second);
    }
    WriteSeed(dir, "stripes-16.bmp", MakeBmp({}, Stripes));
    WriteSeed(dir, "stripes-256.bmp", MakeBmp({.bitsPerPixel = 8}, Stripes), {{"container", "tap"}});
    WriteSeed(dir, "greys.bmp", MakeBmp({}, Greys), {{"mode", "grey5"}, {"verbose", "1"}});
    WriteSeed(dir, "small-odd.bmp", MakeBmp({.width = 7, .height = 3}, Stripes), {{"container", "png"}});
    WriteSeed(dir, "wide-100.bmp", MakeBmp({.width = 100, .height = 50, .bitsPerPixel = 8}, [](int x, int y) { return (x * y) % 256; }),
              {{"palette", "auto"}, {"clash-map", "clash.png"}});
    WriteSeed(dir, "crowded.bmp", MakeBmp({}, [](int x, int y) { return (x + 3 * y) % 16; }),
              {{"clash-map", "clash.png"}, {"preview", "preview.png"}});
    WriteSeed(dir, "colour-16-in-256.bmp", MakeBmp({.bitsPerPixel = 8}, [](int x, int) { return x % 3 ? 16 : 5; }),
              {{"palette", "auto"}, {"container", "bmp"}});
    WriteSeed(dir, "too-wide.bmp", MakeBmp({.width = 321, .height = 2}, Stripes), {{"info", "1"}});
    WriteSeed(dir, "top-down.bmp", MakeBmp({.width = 16, .height = 16, .topDown = true}, Stripes),
              {{"format", "sp2"}, {"fix-sp2-flaw", "1"}, {"container", "d64"}});
    WriteSeed(dir, "no-important-colours.bmp", MakeBmp({.width = 16, .height = 16, .importantColours = 0}, Stripes),
              {{"format", "artstudio"}, {"container", "p00"}, {"background", std::string(pxm::ColourName(0))}});
    WriteSeed(dir, "8-bit-says-16.bmp", MakeBmp({.width = 32, .height = 8, .bitsPerPixel = 8, .importantColours = 16}, Stripes),
              {{"format", "blazing"}, {"executable", "1"}, {"border", "auto"}, {"name", "FUZZED"}});
    // C64 colours out of their order, as paint programs save them: ImageMagick's larger header
    // with its palette padded with black; a PC's standard palette; seventeen colours.
    const std::vector<std::uint32_t> shuffled{0x6F4F25, 0x000000, 0x9AD284, 0x68372B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    WriteSeed(dir, "shuffled-v5.bmp", MakeBmp({.width = 64, .height = 16, .infoHeaderSize = 124, .palette = shuffled}, Stripes),
              {{"palette", "auto"}, {"backgrounds", "1"}});
    const std::vector<std::uint32_t> standard{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                              0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    WriteSeed(dir, "pc-palette.bmp", MakeBmp({.width = 64, .height = 16, .palette = standard}, Stripes), {{"info", "1"}});
    WriteSeed(dir, "seventeen.bmp", MakeBmp({.width = 64, .height = 16, .bitsPerPixel = 8}, [](int x, int y) { return x == 9 && y == 3 ? 200 : (x / 2) % 16; }),
              {{"format", "artist64"}, {"quiet", "1"}});
    auto truncated = MakeBmp({}, Stripes);
    truncated.resize(5000);
    WriteSeed(dir, "truncated.bmp", truncated);
    WriteSeed(dir, "header-only.bmp", std::vector<std::uint8_t>(truncated.begin(), truncated.begin() + 54), {{"info", "1"}});
    return 0;
}

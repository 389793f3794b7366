// Writes the fuzzer's seed corpus into the directory given: BMPs of every kind the reader
// meets, good and bad, made with the tests' BMP builder.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/seed_file.h"
#include "tests/support/bmp_builder.h"

namespace {

using pxm::fuzz::WriteSeed;
using pxm::test::BmpShape;
using pxm::test::MakeBmp;

int Stripes(int x, int y) { return (x / 8 + y / 8) % 3 + 1; }
int Greys(int x, int y) {
    static constexpr int Levels[5] = {0, 11, 12, 15, 1};
    return Levels[(x / 2 + y) % (x < 160 ? 4 : 5)];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    WriteSeed(dir, "stripes-16.bmp", MakeBmp({}, Stripes));
    WriteSeed(dir, "stripes-256.bmp", MakeBmp({.bitsPerPixel = 8}, Stripes));
    WriteSeed(dir, "greys.bmp", MakeBmp({}, Greys));
    WriteSeed(dir, "small-odd.bmp", MakeBmp({.width = 7, .height = 3}, Stripes));
    WriteSeed(dir, "wide-100.bmp", MakeBmp({.width = 100, .height = 50, .bitsPerPixel = 8}, [](int x, int y) { return (x * y) % 256; }));
    WriteSeed(dir, "crowded.bmp", MakeBmp({}, [](int x, int y) { return (x + 3 * y) % 16; }));
    WriteSeed(dir, "colour-16-in-256.bmp", MakeBmp({.bitsPerPixel = 8}, [](int x, int) { return x % 3 ? 16 : 5; }));
    WriteSeed(dir, "too-wide.bmp", MakeBmp({.width = 321, .height = 2}, Stripes));
    WriteSeed(dir, "top-down.bmp", MakeBmp({.width = 16, .height = 16, .topDown = true}, Stripes));
    WriteSeed(dir, "no-important-colours.bmp", MakeBmp({.width = 16, .height = 16, .importantColours = 0}, Stripes));
    WriteSeed(dir, "8-bit-says-16.bmp", MakeBmp({.width = 32, .height = 8, .bitsPerPixel = 8, .importantColours = 16}, Stripes));
    // C64 colours out of their order, as paint programs save them: ImageMagick's larger header
    // with its palette padded with black; a PC's standard palette; seventeen colours.
    const std::vector<std::uint32_t> shuffled{0x6F4F25, 0x000000, 0x9AD284, 0x68372B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    WriteSeed(dir, "shuffled-v5.bmp", MakeBmp({.width = 64, .height = 16, .infoHeaderSize = 124, .palette = shuffled}, Stripes));
    const std::vector<std::uint32_t> standard{0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                              0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    WriteSeed(dir, "pc-palette.bmp", MakeBmp({.width = 64, .height = 16, .palette = standard}, Stripes));
    WriteSeed(dir, "seventeen.bmp", MakeBmp({.width = 64, .height = 16, .bitsPerPixel = 8}, [](int x, int y) { return x == 9 && y == 3 ? 200 : (x / 2) % 16; }));
    auto truncated = MakeBmp({}, Stripes);
    truncated.resize(5000);
    WriteSeed(dir, "truncated.bmp", truncated);
    WriteSeed(dir, "header-only.bmp", std::vector<std::uint8_t>(truncated.begin(), truncated.begin() + 54));
    return 0;
}

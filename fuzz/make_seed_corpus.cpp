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
    auto truncated = MakeBmp({}, Stripes);
    truncated.resize(5000);
    WriteSeed(dir, "truncated.bmp", truncated);
    WriteSeed(dir, "header-only.bmp", std::vector<std::uint8_t>(truncated.begin(), truncated.begin() + 54));
    return 0;
}

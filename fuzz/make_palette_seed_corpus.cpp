// Writes the palette file fuzzer's seed corpus into the directory given: listed palettes as GIMP,
// VICE and hex-list files, with comments and line ends of each kind, and files one step from
// right (fifteen colours, a number out of range, a line of another kind).
#include <cstdio>
#include <string>
#include <vector>

#include "core/palette/c64_palettes.h"
#include "fuzz/seed_file.h"

namespace {

std::string Hex(std::uint8_t v) {
    char text[3];
    std::snprintf(text, sizeof text, "%02x", v);
    return text;
}

std::string Gimp(const pxm::C64Palette& palette, std::size_t count, std::string_view end) {
    std::string text = "GIMP Palette" + std::string(end) + "Name: " + std::string(palette.name) + std::string(end) +
                       "Columns: 16" + std::string(end) + "#" + std::string(end);
    for (std::size_t c = 0; c < count; ++c) {
        const pxm::Rgb rgb = palette.colours[c];
        text += std::to_string(rgb.r) + " " + std::to_string(rgb.g) + " " + std::to_string(rgb.b) + "\tColour" +
                std::string(end);
    }
    return text;
}

std::string Vice(const pxm::C64Palette& palette) {
    std::string text = "#\n# VICE Palette file\n#\n";
    for (const pxm::Rgb rgb : palette.colours) text += "# a colour\n" + Hex(rgb.r) + " " + Hex(rgb.g) + " " + Hex(rgb.b) + " 0\n";
    return text;
}

std::string HexList(const pxm::C64Palette& palette, bool hashes) {
    std::string text = "; black first\n";
    for (const pxm::Rgb rgb : palette.colours) text += (hashes ? "#" : "") + Hex(rgb.r) + Hex(rgb.g) + Hex(rgb.b) + "\n";
    return text;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_palette_seed_corpus DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    using pxm::fuzz::WriteSeed;
    const pxm::C64Palette& pepto = pxm::C64Palettes[pxm::DefaultPalette];
    const pxm::C64Palette& vice = pxm::C64Palettes[0];
    WriteSeed(dir, "pepto.gpl", Bytes(Gimp(pepto, 16, "\n")));
    WriteSeed(dir, "vice-crlf.gpl", Bytes(Gimp(vice, 16, "\r\n")));
    WriteSeed(dir, "pepto.vpl", Bytes(Vice(pepto)));
    WriteSeed(dir, "vice.txt", Bytes(HexList(vice, true)));
    WriteSeed(dir, "pepto-bare.txt", Bytes(HexList(pepto, false)));
    WriteSeed(dir, "fifteen.gpl", Bytes(Gimp(pepto, 15, "\n")));
    WriteSeed(dir, "out-of-range.gpl", Bytes(Gimp(pepto, 15, "\n") + "256 0 0 x\n"));
    WriteSeed(dir, "mixed.vpl", Bytes(Vice(pepto) + "#abcdef\n"));
    return 0;
}

// Writes the PNG, GIF and JPEG pictures that the Windows converter and the Linux converter are
// run over into the directory given: every colour type and layout the decoders meet, pictures that
// koalize and pictures that are refused, damaged and cut files.
#include <zlib.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "core/palette/c64_palettes.h"
#include "tests/support/gif_builder.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace {

using pxm::test::GifShape;
using pxm::test::JpegColours;
using pxm::test::MakeJpeg;
using pxm::test::MakeTurnedJpeg;
using pxm::test::MakeGif;
using pxm::test::MakePng;
using pxm::test::PngType;

bool failed = false;

void Write(const std::string& dir, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(dir + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (bytes.empty() || !out) {
        std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), name.c_str());
        failed = true;
    }
}

const pxm::C64Palette& Palette(std::string_view name) { return pxm::C64Palettes[*pxm::FindPalette(name)]; }

// Colour number of Canvas column, row: each cell background 0 and three colours of its own, all
// sixteen across the picture, so that every palette is told apart.
int Painting(int column, int row) {
    const int cell = (row / 8) * 40 + column / 4;
    const std::array<int, 4> set{0, 1 + cell % 15, 1 + (cell + 5) % 15, 1 + (cell + 10) % 15};
    return set[static_cast<std::size_t>((column % 4 + row % 8) % 4)];
}

// Colour number of file pixel x, y; a screenshot's border is light blue.
int Number(int width, int x, int y) {
    if (width != 384) return Painting(x / 2, y);
    return x >= 32 && x < 352 && y >= 35 && y < 235 ? Painting((x - 32) / 2, y - 35) : 14;
}

// A table in an order of the file's own: entry i holds colour (7i + 3) mod 16.
std::vector<pxm::Rgb> Scrambled(const pxm::C64Palette& palette) {
    std::vector<pxm::Rgb> table;
    for (int i = 0; i < 16; ++i) table.push_back(palette.colours[static_cast<std::size_t>((7 * i + 3) % 16)]);
    return table;
}
int ScrambledIndex(int number) { return (7 * number + 11) % 16; }  // the i with (7i + 3) mod 16 == number

std::vector<pxm::Rgb> InOrder(const pxm::C64Palette& palette) { return {palette.colours.begin(), palette.colours.end()}; }

std::uint32_t Packed(const pxm::C64Palette& palette, int number) {
    return pxm::Packed(palette.colours[static_cast<std::size_t>(number)]);
}

// A PNG whose header declares another size, its checksum made right again.
std::vector<std::uint8_t> WithDeclaredSize(std::vector<std::uint8_t> png, std::uint32_t width, std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        png[16 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[20 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
    for (int i = 0; i < 4; ++i) png[29 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    return png;
}


}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_compare_pictures DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const auto& pepto = Palette("pepto");
    const auto& colodore = Palette("colodore");
    const auto& vice = Palette("vice");
    const auto rgb = [](const pxm::C64Palette& palette, int width) {
        return [&palette, width](int x, int y) { return Packed(palette, Number(width, x, y)); };
    };
    const auto scrambled = [](int width) {
        return [width](int x, int y) { return static_cast<std::uint32_t>(ScrambledIndex(Number(width, x, y))); };
    };
    const auto numbers = [](int width) {
        return [width](int x, int y) { return static_cast<std::uint32_t>(Number(width, x, y)); };
    };

    // Pictures that koalize.
    Write(dir, "rgb-pepto.png", MakePng({}, rgb(pepto, 320)));
    Write(dir, "rgba16-interlaced-colodore.png",
          MakePng({.width = 160, .height = 96, .type = PngType::RgbAlpha, .bitDepth = 16, .interlaced = true},
                  rgb(colodore, 160)));
    Write(dir, "indexed-scrambled-vice.png",
          MakePng({.width = 96, .height = 64, .type = PngType::Indexed, .table = Scrambled(vice)}, scrambled(96)));
    Write(dir, "indexed4-numbers-pepto.png",
          MakePng({.width = 64, .height = 40, .type = PngType::Indexed, .bitDepth = 4, .table = InOrder(pepto)},
                  numbers(64)));
    Write(dir, "screenshot-pepto.png", MakePng({.width = 384, .height = 272}, rgb(pepto, 384)));
    // One pixel per double-wide pixel: the canvas pixel artists paint on, and its screenshot.
    Write(dir, "narrow-pepto.png", MakePng({.width = 160, .height = 200}, [&](int x, int y) {
              return Packed(pepto, Painting(x, y));
          }));
    Write(dir, "narrow-screenshot-vice.gif", MakeGif({.width = 192, .height = 272, .table = InOrder(vice)}, [](int, int x, int y) {
              return x >= 16 && x < 176 && y >= 35 && y < 235 ? Painting(x - 16, y - 35) : 14;
          }));
    const auto gifScrambled = [](int width) {
        return [width](int, int x, int y) { return ScrambledIndex(Number(width, x, y)); };
    };
    Write(dir, "scrambled-colodore.gif", MakeGif({.table = Scrambled(colodore)}, gifScrambled(320)));
    Write(dir, "interlaced-numbers-pepto.gif",
          MakeGif({.width = 128, .height = 80, .table = InOrder(pepto), .frames = {{.interlaced = true}}},
                  [](int, int x, int y) { return Number(128, x, y); }));
    Write(dir, "screenshot-vice.gif",
          MakeGif({.width = 384, .height = 272, .table = Scrambled(vice)}, gifScrambled(384)));
    // A first frame inside the screen with a table of its own; the rest shows the background.
    Write(dir, "frame-on-screen.gif",
          MakeGif({.width = 64,
                   .height = 32,
                   .table = InOrder(pepto),
                   .background = 6,
                   .frames = {{.left = 8, .top = 8, .width = 16, .height = 16, .table = Scrambled(pepto)}, {}}},
                  [](int, int x, int y) { return ScrambledIndex(Painting(x / 2 + 4, y + 8)); }));

    // Pictures that are refused.
    Write(dir, "grey2.png",
          MakePng({.width = 16, .height = 8, .type = PngType::Grey, .bitDepth = 2},
                  [](int x, int) { return static_cast<std::uint32_t>(x / 2 % 4 * 0x555555); }));
    Write(dir, "transparent-pixel.png", MakePng({.width = 16, .height = 8, .type = PngType::RgbAlpha}, [&](int x, int y) {
              return Packed(pepto, 6) | (x == 9 && y == 2 ? 0xFF000000u : 0u);
          }));
    Write(dir, "too-wide.png", MakePng({.width = 330, .height = 2}, rgb(pepto, 330)));
    Write(dir, "too-tall.gif", MakeGif({.width = 320, .height = 201, .table = InOrder(pepto)},
                                      [](int, int, int) { return 0; }));
    Write(dir, "declares-huge.png", WithDeclaredSize(MakePng({.width = 2, .height = 2}, rgb(pepto, 2)), 100000, 100000));
    // Pepto's sixteen colours in double-wide pixels, one of them replaced: by a colour far from
    // every C64 colour, and by colodore's red (red twice, from two palettes).
    const auto peptoBut = [&](int number, std::uint32_t instead) {
        return [&pepto, number, instead](int x, int) { return x / 2 % 16 == number ? instead : Packed(pepto, x / 2 % 16); };
    };
    Write(dir, "unknown-colour.png", MakePng({.width = 32, .height = 16}, peptoBut(4, 0xFF0080)));
    Write(dir, "differing-pairs.png",
          MakePng({.width = 16, .height = 8}, [&](int x, int) { return Packed(pepto, x % 3); }));
    Write(dir, "two-palettes.png", MakePng({.width = 32, .height = 8}, peptoBut(10, Packed(colodore, 2))));
    Write(dir, "cell-too-colourful.gif",
          MakeGif({.width = 16, .height = 8, .table = InOrder(pepto)}, [](int, int x, int) { return 1 + x / 2 % 8; }));
    auto cut = MakePng({.width = 64, .height = 32}, rgb(pepto, 64));
    cut.resize(cut.size() / 2);
    Write(dir, "cut.png", cut);
    auto damaged = MakePng({.width = 64, .height = 32}, rgb(pepto, 64));
    for (std::size_t i = 60; i < damaged.size() - 20; i += 7) damaged[i] ^= 0x5A;
    Write(dir, "damaged.png", damaged);
    auto gifCut = MakeGif({.width = 64, .height = 32, .table = InOrder(pepto)},
                          [](int, int x, int y) { return Number(64, x, y); });
    gifCut.resize(gifCut.size() / 2);
    Write(dir, "cut.gif", gifCut);
    Write(dir, "header-only.gif", {'G', 'I', 'F', '8', '9', 'a', 16, 0, 8, 0});
    // A file the converter tells by its first bytes and refuses by name.
    Write(dir, "notes.txt", {'n', 'o', 't', 'e', 's', '\n'});

    // JPEGs with full chroma, which both libjpeg-turbo and the Windows Imaging Component decode
    // to the same pixels: flat cells at full quality koalize, a lossy picture is refused.
    const auto cells = [&](int x, int y) { return Packed(pepto, (x / 8 * 7 + y / 8 * 3) % 16); };
    Write(dir, "cells-pepto.jpg", MakeJpeg({.quality = 100, .fullChroma = true}, cells));
    Write(dir, "cells-progressive.jpg",
          MakeJpeg({.width = 384, .height = 272, .quality = 100, .progressive = true, .fullChroma = true}, cells));
    // The same cells as a camera stores them, turned back by their EXIF orientation.
    for (const unsigned orientation : {3u, 6u, 8u})
        Write(dir, "turned-" + std::to_string(orientation) + ".jpg",
              MakeTurnedJpeg({.quality = 100, .fullChroma = true}, orientation, 320, 200, cells));
    Write(dir, "lossy-pepto.jpg", MakeJpeg({.quality = 75, .fullChroma = true}, rgb(pepto, 320)));
    Write(dir, "cmyk.jpg", MakeJpeg({.width = 16, .height = 8, .colours = JpegColours::Cmyk}, cells));
    auto hugeJpeg = MakeJpeg({.width = 16, .height = 8}, cells);
    for (std::size_t at = 2; at + 9 < hugeJpeg.size(); ++at) {
        if (hugeJpeg[at] == 0xFF && hugeJpeg[at + 1] == 0xC0) {
            hugeJpeg[at + 5] = hugeJpeg[at + 6] = hugeJpeg[at + 7] = hugeJpeg[at + 8] = 0xFF;  // 65535x65535
            break;
        }
    }
    Write(dir, "declares-huge.jpg", hugeJpeg);
    auto jpegCut = MakeJpeg({.width = 64, .height = 32}, rgb(pepto, 64));
    jpegCut.resize(jpegCut.size() / 2);
    Write(dir, "cut.jpg", jpegCut);

    // Pictures for the nearest picture: smooth colours of no palette in sizes of their own.
    const auto photo = [](int x, int y) {
        const auto wave = [](double t) { return static_cast<std::uint32_t>(127.5 + 127.5 * std::sin(t)); };
        return wave(x * 0.021 + y * 0.004) << 16 | wave(y * 0.017 + 2.0) << 8 | wave((x + y) * 0.013 + 4.0);
    };
    Write(dir, "photo.png", MakePng({.width = 517, .height = 341}, photo));
    Write(dir, "photo-tall.png", MakePng({.width = 7, .height = 900}, photo));
    // More than 4 megapixels, brought down by blocks as it is decoded; its rows repeat in fours,
    // so that the file stays short.
    Write(dir, "photo-large.png", MakePng({.width = 2400, .height = 1800}, [&](int x, int y) { return photo(x / 4, y / 4); }));
    Write(dir, "photo.jpg", MakeJpeg({.width = 1280, .height = 960, .quality = 90, .fullChroma = true}, photo));
    Write(dir, "photo-small.png", MakePng({.width = 200, .height = 150}, photo));
    Write(dir, "photo-screenshot.png", MakePng({.width = 384, .height = 272}, photo));
    Write(dir, "photo-framed.png", MakePng({.width = 384, .height = 272}, [&](int x, int y) {
        return x >= 32 && x < 352 && y >= 35 && y < 235 ? photo(x, y) : Packed(vice, 6);
    }));
    // A C64 picture in areas of its colours gone lossy, at its size and enlarged twice.
    const auto areas = [&](int x, int y) { return Packed(vice, (x / 8 * 7 + y / 4 * 3) % 16); };
    Write(dir, "lossy-areas-vice.jpg", MakeJpeg({.quality = 90, .fullChroma = true}, areas));
    // Saved with its chroma halved both ways (4:2:0), which the two decoders enlarge differently;
    // areas three rows high, so that colours change within a chroma sample's two rows too, four
    // colours to a cell.
    Write(dir, "lossy-halved-vice.jpg", MakeJpeg({.quality = 90}, [&](int x, int y) {
              const int cell = y / 8 * 40 + x / 8;
              const int k = (y % 8 / 3 + x / 4 % 2) % 4;
              return Packed(vice, k == 0 ? 0 : 1 + (cell + 5 * (k - 1)) % 15);
          }));
    Write(dir, "lossy-twice-vice.jpg", MakeJpeg({.width = 640, .height = 400, .quality = 90, .fullChroma = true},
                                                [&](int x, int y) { return areas(x / 2, y / 2); }));
    return failed ? 1 : 0;
}

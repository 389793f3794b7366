#pragma once
// The pictures the GUI tests open and what the program should make of them, computed with the
// core from the same BMP bytes: the Koala picture and the complete file of each format and
// container.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/export/picture_file.h"
#include "core/import/bmp_reader.h"
#include "core/koala/koalize.h"
#include "tests/support/bmp_builder.h"

namespace pxm::gui {

using Bytes = std::vector<std::uint8_t>;
using test::BmpShape;
using test::MakeBmp;

// Bands of light blue, cyan and green under a yellow sun: every background works, AUTO takes black.
inline Bytes SunsetBmp() {
    return MakeBmp({}, [](int x, int y) {
        if ((x - 220) * (x - 220) + (y - 70) * (y - 70) * 4 < 40 * 40) return 7;
        constexpr int bands[] = {14, 3, 13, 5, 6};
        return bands[y / 40];
    });
}

// White, red, cyan and purple in the first cell, white elsewhere: only those four backgrounds
// work, so AUTO takes white and blue fails.
inline Bytes FourColourCellBmp() {
    return MakeBmp({}, [](int x, int y) { return x < 8 && y < 8 ? 1 + x / 2 : 1; });
}

// Light grey with three other colours in each of two cells: light grey is the only background.
inline Bytes OnlyLightGreyBmp() {
    return MakeBmp({}, [](int x, int y) {
        if (y >= 8 || x >= 16) return 15;
        const int pair = (x % 8) / 2;
        return pair == 0 ? 15 : pair + (x < 8 ? 0 : 3);
    });
}

// Five colours in the first cell: no background works.
inline Bytes RefusedBmp() {
    return MakeBmp({}, [](int x, int y) { return y < 8 && x < 8 ? 1 + x / 2 + (y % 2) * 4 : 0; });
}

// The four grey levels in stripes of double pixels; with a fixed blue background the
// multicolour rules would refuse it.
inline Bytes FourGreysBmp() {
    return MakeBmp({}, [](int x, int) {
        constexpr int greys[] = {0, 11, 12, 15};
        return greys[(x / 2) % 4];
    });
}

// Black, white and the three greys in one cell: the five-level mode's own refusal.
inline Bytes WhiteWithAllGreysBmp() {
    return MakeBmp({}, [](int x, int) {
        constexpr int levels[] = {0, 1, 11, 12, 15};
        return levels[(x / 2) % 5];
    });
}

// Black everywhere, of the given size: the viewer's painted rows are easy to count.
inline Bytes BlackBmp(int width, int height) {
    return MakeBmp({.width = width, .height = height}, [](int, int) { return 0; });
}

// Blue everywhere but a red double pixel in cell 993 and a black one in cell 994. With the
// fixed background blue the SP2 stream has a block boundary at the flaw position, so the
// correction is needed.
inline constexpr int Sp2FlawBackground = 6;
inline Bytes Sp2FlawBmp() {
    return MakeBmp({}, [](int x, int y) {
        if (y == 192 && (x == 264 || x == 265)) return 2;
        if (y == 192 && (x == 272 || x == 273)) return 0;
        return 6;
    });
}

// The Koala picture the program makes of the BMP: AUTO when background is negative.
inline KoalaImage ExpectedKoala(const Bytes& bmp, int background = -1) {
    Canvas canvas{};
    KoalaImage image{};
    static_cast<void>(ReadBmp(bmp, canvas));  // every picture here is a well-formed BMP
    if (background < 0)
        AutoBackgroundSearch(canvas, image);
    else
        KoalizeMulticolour(canvas, image, static_cast<std::uint8_t>(background));
    return image;
}

inline Bytes ExpectedFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2 = false) {
    return BuildPictureFile(image, format, container, correctSp2).bytes;
}

inline Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

}  // namespace pxm::gui

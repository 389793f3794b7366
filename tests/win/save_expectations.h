#pragma once
// What the saving tests expect, computed with the core from the same BMP bytes the program
// opens: the test pictures and the complete files of each format and container.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/bmp_builder.h"
#include "export/picture_file.h"
#include "import/bmp_reader.h"
#include "koala/koalize.h"

namespace pxm::test {

using Bytes = std::vector<std::uint8_t>;

// Bands of light blue, cyan and green under a yellow sun: AUTO koalizes it with black.
inline Bytes SunsetBmp() {
    return MakeBmp({}, [](int x, int y) {
        if ((x - 220) * (x - 220) + (y - 70) * (y - 70) * 4 < 40 * 40) return 7;
        constexpr int bands[] = {14, 3, 13, 5, 6};
        return bands[y / 40];
    });
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

// Five colours besides any background in the first cell: no background works.
inline Bytes RefusedBmp() {
    return MakeBmp({}, [](int x, int y) { return y < 8 && x < 8 ? 1 + x / 2 + (y % 2) * 4 : 0; });
}

// The Koala picture the program makes of the BMP: AUTO when background is negative.
inline KoalaImage ExpectedKoala(const Bytes& bmp, int background = -1) {
    Canvas canvas{};
    KoalaImage image{};
    ReadBmp(bmp, canvas);
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

}  // namespace pxm::test

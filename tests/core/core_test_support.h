#pragma once
// Small builders shared by the core tests: canvases painted cell by cell, Koala cell accessors,
// a deterministic pseudo-random source and the names of parameterised cases.
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/format/c64_file.h"
#include "core/format/export_format.h"
#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "tests/support/case_names.h"

namespace pxm::test {

using PixelRow = std::array<std::uint8_t, 4>;

inline std::unique_ptr<Canvas> FilledCanvas(std::uint8_t value) {
    auto canvas = std::make_unique<Canvas>();
    canvas->fill(value);
    return canvas;
}

// The C64 file a format's picture bytes make, under the format's own load address and name.
inline C64File FormatFile(ExportFormat format, std::span<const std::uint8_t> data) {
    return {InfoOf(format).loadAddress, InfoOf(format).c64Name, data};
}

inline std::unique_ptr<KoalaImage> FilledImage(std::uint8_t value) {
    auto image = std::make_unique<KoalaImage>();
    image->fill(value);
    return image;
}

// Canvas column and row of pixel p of pixel row k of cell n.
inline int CellColumn(int cell, int p) { return 4 * (cell % CellColumns) + p; }
inline int CellRow(int cell, int k) { return 8 * (cell / CellColumns) + k; }

inline std::uint8_t& CellPixel(Canvas& canvas, int cell, int k, int p) {
    return canvas[CanvasIndex(CellColumn(cell, p), CellRow(cell, k))];
}

inline void SetCellRow(Canvas& canvas, int cell, int k, const PixelRow& row) {
    for (int p = 0; p < 4; ++p) CellPixel(canvas, cell, k, p) = row[static_cast<std::size_t>(p)];
}

inline void FillCell(Canvas& canvas, int cell, std::uint8_t value) {
    for (int k = 0; k < 8; ++k) SetCellRow(canvas, cell, k, {value, value, value, value});
}

inline std::uint8_t BitmapByte(const KoalaImage& image, int cell, int k) {
    return image[KoalaBitmapOffset + 8 * static_cast<std::size_t>(cell) + static_cast<std::size_t>(k)];
}
inline std::uint8_t ScreenByte(const KoalaImage& image, int cell) {
    return image[KoalaScreenOffset + static_cast<std::size_t>(cell)];
}
inline std::uint8_t ColourByte(const KoalaImage& image, int cell) {
    return image[KoalaColourOffset + static_cast<std::size_t>(cell)];
}

// A bitmap byte from four 2-bit values, pixel 0 first.
constexpr std::uint8_t Pairs(int p0, int p1, int p2, int p3) {
    return static_cast<std::uint8_t>(p0 << 6 | p1 << 4 | p2 << 2 | p3);
}

// The colour a Koala image shows at a Canvas position.
inline int ShownColour(const KoalaImage& image, int column, int row) {
    const int cell = (row / 8) * CellColumns + column / 4;
    const int pair = (BitmapByte(image, cell, row % 8) >> (6 - 2 * (column % 4))) & 3;
    switch (pair) {
        case 0: return image[KoalaBackgroundOffset] & 15;
        case 1: return ScreenByte(image, cell) >> 4;
        case 2: return ScreenByte(image, cell) & 15;
        default: return ColourByte(image, cell) & 15;
    }
}

// xorshift32: fixed sequences without <random>'s distribution differences between libraries.
class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint32_t state_;
};

// Words for case names (see tests/support/case_names.h).
inline std::string FormatWord(ExportFormat format) {
    switch (format) {
        case ExportFormat::Koala: return "Koala";
        case ExportFormat::ArtStudio: return "ArtStudio";
        case ExportFormat::Artist64: return "Artist64";
        case ExportFormat::BlazingPaddles: return "BlazingPaddles";
        case ExportFormat::Sp2: return "Sp2";
    }
    return "Format" + std::to_string(static_cast<int>(format));
}

inline std::string ContainerWord(Container container) {
    switch (container) {
        case Container::P00: return "P00";
        case Container::Prg: return "Prg";
        case Container::Tap: return "Tap";
        case Container::D64: return "D64";
    }
    return "Container" + std::to_string(static_cast<int>(container));
}

// A file name as a case name: letters and digits kept, '.' as '_', any other byte as x and its
// hex digits ("\xC4RGER.BMP" gives "xC4RGER_BMP").
inline std::string NameWord(std::string_view text) {
    std::string word;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 && std::isalnum(byte)) {
            word += c;
        } else if (c == '.') {
            word += '_';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "x%02X", byte);
            word += hex;
        }
    }
    return word;
}

}  // namespace pxm::test

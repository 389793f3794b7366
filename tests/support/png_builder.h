#pragma once
// Builds PNG files in memory for tests, written with libpng: truecolour, grey and indexed, every
// bit depth, interlaced or not, with or without alpha.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/palette/rgb.h"

namespace pxm::test {

enum class PngType { Rgb, RgbAlpha, Grey, GreyAlpha, Indexed };

struct PngShape {
    int width = 320;
    int height = 200;
    PngType type = PngType::Rgb;
    int bitDepth = 8;  // 1, 2, 4 or 8 for Indexed and Grey; 8 or 16 otherwise too
    bool interlaced = false;
    std::vector<Rgb> table{};  // Indexed: the colour table
};

namespace detail {

inline void AppendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

inline int PngColourType(PngType type) {
    switch (type) {
        case PngType::Rgb: return PNG_COLOR_TYPE_RGB;
        case PngType::RgbAlpha: return PNG_COLOR_TYPE_RGB_ALPHA;
        case PngType::Grey: return PNG_COLOR_TYPE_GRAY;
        case PngType::GreyAlpha: return PNG_COLOR_TYPE_GRAY_ALPHA;
        case PngType::Indexed: break;
    }
    return PNG_COLOR_TYPE_PALETTE;
}

// Samples of one pixel: an index, or the channels (grey from red); value 0xTTRRGGBB, with TT how
// transparent it is (alpha 255 - TT: 0xRRGGBB is opaque).
inline std::vector<unsigned> PngSamples(const PngShape& shape, std::uint32_t value) {
    const Rgb c{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    const unsigned scale = shape.bitDepth == 16 ? 257 : 1;
    const unsigned alpha = 255 - (value >> 24);
    switch (shape.type) {
        case PngType::Indexed: return {value};
        case PngType::Grey: return {shape.bitDepth >= 8 ? c.r * scale : c.r >> (8 - shape.bitDepth)};
        case PngType::GreyAlpha: return {c.r * scale, alpha * scale};
        case PngType::Rgb: return {c.r * scale, c.g * scale, c.b * scale};
        case PngType::RgbAlpha: break;
    }
    return {c.r * scale, c.g * scale, c.b * scale, alpha * scale};
}

inline std::vector<std::uint8_t> PackedRow(const PngShape& shape, int y,
                                           const std::function<std::uint32_t(int, int)>& pixel) {
    std::vector<std::uint8_t> row;
    int bits = 0;
    for (int x = 0; x < shape.width; ++x) {
        for (const unsigned sample : PngSamples(shape, pixel(x, y))) {
            if (shape.bitDepth == 16) {
                row.push_back(static_cast<std::uint8_t>(sample >> 8));
                row.push_back(static_cast<std::uint8_t>(sample));
            } else if (shape.bitDepth == 8) {
                row.push_back(static_cast<std::uint8_t>(sample));
            } else {
                if (bits % 8 == 0) row.push_back(0);
                row.back() |= static_cast<std::uint8_t>(sample << (8 - shape.bitDepth - bits % 8));
                bits += shape.bitDepth;
            }
        }
    }
    return row;
}

// The libpng calls, in a frame that holds no object with a destructor.
inline bool WritePng(png_structp png, png_infop info, const PngShape& shape, std::vector<png_color>& table,
                     std::vector<png_bytep>& rows, std::vector<std::uint8_t>& bytes) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_write_fn(png, &bytes, AppendPng, nullptr);
    // Tests of the reader want indexes past the table too.
    png_set_check_for_invalid_index(png, 0);
    png_set_IHDR(png, info, static_cast<png_uint_32>(shape.width), static_cast<png_uint_32>(shape.height),
                 shape.bitDepth, PngColourType(shape.type), shape.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (shape.type == PngType::Indexed) png_set_PLTE(png, info, table.data(), static_cast<int>(table.size()));
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

}  // namespace detail

// pixel(x, y): 0xRRGGBB of pixel x of row y (row 0 at the top), or the index for Indexed.
inline std::vector<std::uint8_t> MakePng(const PngShape& shape, const std::function<std::uint32_t(int, int)>& pixel) {
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < shape.height; ++y)
        pointers.push_back(rows.emplace_back(detail::PackedRow(shape, y, pixel)).data());
    std::vector<png_color> table;
    for (const Rgb c : shape.table) table.push_back({c.r, c.g, c.b});
    std::vector<std::uint8_t> bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool written = detail::WritePng(png, info, shape, table, pointers, bytes);
    png_destroy_write_struct(&png, &info);
    if (!written) bytes.clear();
    return bytes;
}

// A PNG read back with libpng's simplified reader, as RGB rows; empty when it cannot be read.
inline std::vector<Rgb> ReadPngRgb(std::span<const std::uint8_t> bytes, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<Rgb> pixels(static_cast<std::size_t>(image.width) * image.height);
    const bool read = png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) != 0;
    png_image_free(&image);
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return read ? pixels : std::vector<Rgb>{};
}

}  // namespace pxm::test

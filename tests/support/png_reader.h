#pragma once
// Reads a PNG file back for tests with libpng's simplified reader: its size and RGB rows.
#include <png.h>

#include <string>
#include <vector>

#include "core/palette/rgb.h"

namespace pxm::test {

struct ReadBackPng {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row from the top; empty when the file is no PNG

    Rgb At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

inline ReadBackPng ReadPngBack(const std::vector<std::uint8_t>& bytes) {
    static_assert(sizeof(Rgb) == 3, "rows are read straight into the colours");
    ReadBackPng png;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) return png;
    image.format = PNG_FORMAT_RGB;
    png.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    if (png_image_finish_read(&image, nullptr, png.pixels.data(), 0, nullptr) == 0) png.pixels.clear();
    png_image_free(&image);
    png.width = static_cast<int>(image.width);
    png.height = static_cast<int>(image.height);
    return png;
}

}  // namespace pxm::test

// libpng reports errors by longjmp: the frame that calls setjmp holds no object with a
// destructor, and the byte vector it fills lives in its caller.
#include "lib/output/preview_png.h"

#include <png.h>

#include <array>
#include <csetjmp>
#include <cstring>

namespace pxm {

namespace {

struct PngTarget {
    std::vector<std::uint8_t>* bytes = nullptr;
    std::array<char, 160> error{};
};

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto& target = *static_cast<PngTarget*>(png_get_io_ptr(png));
    target.bytes->insert(target.bytes->end(), data, data + length);
}

void NothingToFlush(png_structp) {}

[[noreturn]] void KeepError(png_structp png, png_const_charp message) {
    auto& target = *static_cast<PngTarget*>(png_get_error_ptr(png));
    std::strncpy(target.error.data(), message, target.error.size() - 1);
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

bool EncodeInFrame(png_structp png, png_infop info, std::span<const Rgb> pixels, int width, int height) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const Rgb* row = pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        png_write_row(png, reinterpret_cast<png_const_bytep>(row));
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

EncodedPng EncodePng(std::span<const Rgb> pixels, int width, int height) {
    static_assert(sizeof(Rgb) == 3, "the rows are written straight from the colours");
    std::vector<std::uint8_t> bytes;
    PngTarget target{&bytes};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, KeepError, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return Fail(EncoderFailure{"out of memory"});
    }
    png_set_write_fn(png, &target, AppendToVector, NothingToFlush);
    const bool encoded = EncodeInFrame(png, info, pixels, width, height);
    png_destroy_write_struct(&png, &info);
    if (!encoded) return Fail(EncoderFailure{target.error.data()});
    return bytes;
}

}  // namespace pxm

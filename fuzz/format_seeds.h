#pragma once
// Seeds of the WebP, TIFF, HEIC and AVIF decoders, written by the formats' own encoders (libwebp,
// libtiff, libheif with x265 and libaom) from RGBA pixels.
#include <libheif/heif.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/seed_file.h"

namespace pxm::fuzz {

// width x height RGBA pixels; pixel(x, y) gives 0xAARRGGBB.
struct RgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
};

inline RgbaPixels MakeRgba(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
    RgbaPixels made{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixel(x, y);
            made.bytes.insert(made.bytes.end(), {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                                 static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 24)});
        }
    }
    return made;
}

[[noreturn]] inline void SeedFailed(const std::string& name) {
    std::fprintf(stderr, "cannot encode the seed %s\n", name.c_str());
    std::exit(1);
}

// quality < 0: lossless.
inline void WriteWebpSeed(const std::string& dir, const std::string& name, const RgbaPixels& pixels, float quality) {
    std::uint8_t* encoded = nullptr;
    const int stride = pixels.width * 4;
    const std::size_t size =
        quality < 0 ? WebPEncodeLosslessRGBA(pixels.bytes.data(), pixels.width, pixels.height, stride, &encoded)
                    : WebPEncodeRGBA(pixels.bytes.data(), pixels.width, pixels.height, stride, quality, &encoded);
    if (size == 0) SeedFailed(name);
    WriteSeed(dir, name, {encoded, encoded + size});
    WebPFree(encoded);
}

// bitsPerSample 8 or 16; pages: the picture this many times, one page each.
inline void WriteTiffSeed(const std::string& dir, const std::string& name, const RgbaPixels& pixels, int bitsPerSample,
                          std::uint16_t compression, int pages = 1) {
    const std::string path = dir + "/" + name;
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (tiff == nullptr) SeedFailed(name);
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    for (int page = 0; page < pages; ++page) {
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(pixels.width));
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(pixels.height));
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, bitsPerSample);
        TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff, TIFFTAG_COMPRESSION, compression);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 8);
        if (pages > 1) TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
        const int sampleBytes = bitsPerSample / 8;
        std::vector<std::uint8_t> row(static_cast<std::size_t>(pixels.width) * 4 * static_cast<std::size_t>(sampleBytes));
        for (int y = 0; y < pixels.height; ++y) {
            for (std::size_t i = 0; i < static_cast<std::size_t>(pixels.width) * 4; ++i) {
                const std::uint8_t v = pixels.bytes[static_cast<std::size_t>(y * pixels.width) * 4 + i];
                if (sampleBytes == 1) {
                    row[i] = v;
                } else {
                    const std::uint16_t wide = static_cast<std::uint16_t>(v * 257);
                    std::memcpy(&row[2 * i], &wide, 2);
                }
            }
            if (TIFFWriteScanline(tiff, row.data(), static_cast<std::uint32_t>(y), 0) != 1) SeedFailed(name);
        }
        if (TIFFWriteDirectory(tiff) != 1) SeedFailed(name);
    }
    TIFFClose(tiff);
}

inline void WriteHeifSeed(const std::string& dir, const std::string& name, const RgbaPixels& pixels,
                          heif_compression_format format) {
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    bool done = heif_context_get_encoder_for_format(context, format, &encoder).code == heif_error_Ok &&
                heif_encoder_set_lossy_quality(encoder, 60).code == heif_error_Ok &&
                heif_image_create(pixels.width, pixels.height, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, &image)
                        .code == heif_error_Ok &&
                heif_image_add_plane(image, heif_channel_interleaved, pixels.width, pixels.height, 8).code == heif_error_Ok;
    int stride = 0;
    std::uint8_t* plane = done ? heif_image_get_plane(image, heif_channel_interleaved, &stride) : nullptr;
    for (int y = 0; plane != nullptr && y < pixels.height; ++y)
        std::memcpy(plane + static_cast<std::size_t>(y) * static_cast<std::size_t>(stride),
                    &pixels.bytes[static_cast<std::size_t>(y * pixels.width) * 4], static_cast<std::size_t>(pixels.width) * 4);
    const std::string path = dir + "/" + name;
    done = plane != nullptr && heif_context_encode_image(context, image, encoder, nullptr, nullptr).code == heif_error_Ok &&
           heif_context_write_to_file(context, path.c_str()).code == heif_error_Ok;
    if (image != nullptr) heif_image_release(image);
    if (encoder != nullptr) heif_encoder_release(encoder);
    heif_context_free(context);
    if (!done) SeedFailed(name);
}

}  // namespace pxm::fuzz

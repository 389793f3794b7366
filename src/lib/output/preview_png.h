#pragma once
// The preview and the clash map as PNG files in memory, written with libpng (on Windows with the
// Windows Imaging Component's PNG encoder).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/base/result.h"
#include "core/view/preview.h"

namespace pxm {

// Why a picture file could not be made: the encoder's words.
struct EncoderFailure {
    std::string words;
};

using EncodedPng = Result<std::vector<std::uint8_t>, EncoderFailure>;

// An 8-bit RGB PNG of the pixels, width x height, row by row from the top.
EncodedPng EncodePng(std::span<const Rgb> pixels, int width, int height);

// A 320x200 8-bit RGB PNG of the pixels.
inline EncodedPng EncodePreviewPng(const PreviewPixels& pixels) {
    return EncodePng(pixels, PreviewWidth, PreviewHeight);
}

}  // namespace pxm

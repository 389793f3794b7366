#pragma once
// The preview as a PNG file in memory, written with libpng.
#include <cstdint>
#include <string>
#include <vector>

#include "core/view/preview.h"

namespace pxm::cli {

struct EncodedPng {
    std::vector<std::uint8_t> bytes;
    std::string error;  // libpng's words when it could not
};

// A 320x200 8-bit RGB PNG of the pixels.
EncodedPng EncodePreviewPng(const PreviewPixels& pixels);

}  // namespace pxm::cli

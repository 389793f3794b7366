#pragma once
// The size a JPEG declares in its frame header (the SOF marker segment), found by walking the
// marker segments from the start of the image: what the converter checks before a decoder
// allocates anything for the picture.
#include <optional>

#include "core/base/byte_reader.h"

namespace pxm {

struct JpegFrameSize {
    int width = 0;
    int height = 0;
};

// None when the file ends, or its scan starts, before a frame header, or a segment is malformed.
// Stray bytes between segments are passed over, as libjpeg passes over them.
// A height of 0 (to be given by a later DNL marker) is returned as it stands.
std::optional<JpegFrameSize> JpegDeclaredSize(Bytes file);

}  // namespace pxm

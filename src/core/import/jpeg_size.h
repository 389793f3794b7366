#pragma once
// What the converter reads of a JPEG's marker segments before a decoder sees it, walking them
// from the start of the image: the size its frame header (the SOF marker segment) declares, checked
// before a decoder allocates anything for the picture, and the EXIF block a camera writes.
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

// The TIFF-structured EXIF data of the first APP1 segment that holds EXIF (after its "Exif\0\0"
// header), or none before the scan starts.
std::optional<Bytes> JpegExifBlock(Bytes file);

// Where the first IFD of an EXIF block starts and its byte order ("II" Intel, "MM" Motorola),
// from the block's TIFF header; none when the header is not one.
struct ExifHeader {
    bool bigEndian = false;
    std::size_t firstIfd = 0;
};
std::optional<ExifHeader> ExifHeaderOf(Bytes block);

}  // namespace pxm

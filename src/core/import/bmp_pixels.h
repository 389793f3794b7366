#pragma once
// A BMP the BMP reader took, pixel by pixel with its palette's colours: so that it can be read
// by its colours, as a PNG is, rather than by its palette indexes.
#include <cstdint>
#include <span>

#include "core/import/bmp_reader.h"
#include "core/import/decoded_picture.h"

namespace pxm {

// file: the bytes ReadBmp took, info: what it found. Every pixel (both of each pair), rows from
// the top; the indexes are the palette indexes. Bytes past the end of a short file count as 0.
DecodedPicture BmpAsPicture(std::span<const std::uint8_t> file, const BmpInfo& info);

}  // namespace pxm

#pragma once
// The background of a format that keeps it in two bytes, when the two differ. Advanced Art
// Studio's writers disagree: the paint program keeps the border colour in the first byte and the
// background in the second; GIMP's plug-in keeps the background in the first and leaves the
// second zero, as padding. The picture itself tells them apart where it can: the background is
// what the 00 bit pair shows, so a writer never draws it with a cell's own pairs (01, 10, 11).
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/base/byte_reader.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

// Of two background bytes that differ, the one read and the colour the other holds.
struct DifferingBackground {
    std::size_t taken = 1;  // 0: the first byte, 1: the second
    std::uint8_t other = 0;
};

struct BackgroundRead {
    std::uint8_t colour = 0;
    std::optional<DifferingBackground> differing;  // none: one byte, or bytes that agree
};

// The background of `format`'s block, whose bitmap, screen and colour are in `image` already.
BackgroundRead ReadBackground(ExportFormat format, Bytes block, const KoalaImage& image);

}  // namespace pxm

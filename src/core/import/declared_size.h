#pragma once
// The size a PNG's header, a GIF's logical screen or a JPEG's frame header declares, read from
// the file before any decoder sees it: a decoder that takes in the whole picture at once (as
// some builds of the Windows Imaging Component do) would otherwise allocate for any size a
// file claims before a size that is not taken could be refused.
#include <cstdint>
#include <optional>
#include <span>

#include "core/import/picture_kind.h"

namespace pxm {

struct DeclaredSize {
    int width = 0;
    int height = 0;
};

// None when the file is too short to hold its size, a PNG does not begin with its header chunk
// or declares a size beyond 2^31 - 1, a JPEG has no frame header before its scan, or the file
// is of another kind (a WebP, TIFF, HEIC or AVIF file's size is read by its decoder from the
// headers, before any pixel).
std::optional<DeclaredSize> DeclaredSizeOf(PictureKind kind, std::span<const std::uint8_t> file);

}  // namespace pxm

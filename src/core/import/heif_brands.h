#pragma once
// A HEIF file told by the brands of its file type box (ISO/IEC 14496-12): a still picture coded
// as HEVC (HEIC) or as AV1 (AVIF); other ISO media files (videos) are no picture.
#include <cstdint>
#include <span>

#include "core/import/picture_kind.h"

namespace pxm {

// Heic, Avif or Unknown for a file whose box at its start is "ftyp".
PictureKind HeifKindOf(std::span<const std::uint8_t> file);

}  // namespace pxm

#pragma once
// The SP2 run-length packer over the 10216-byte bitmap/screen/colour picture.
#include <cstddef>

#include "core/export/picture_data.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

inline constexpr std::size_t Sp2SourceLength = InfoOf(ExportFormat::Sp2).layout.size;
// With the correction on, no block may begin here (the C64 unpacker mishandles one that does).
inline constexpr std::size_t FixFlawPosition = 9960;

struct Sp2PackResult {
    bool corrected = false;  // a block boundary was moved off FixFlawPosition
};

Sp2PackResult PackSp2(const KoalaImage& image, bool correctFlaw, PictureData& stream);

}  // namespace pxm

#pragma once
// The one writer behind every save: the complete bytes of a picture file in any format and
// container, ready for the caller to put on disk.
#include <cstdint>
#include <vector>

#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

struct PictureFile {
    std::vector<std::uint8_t> bytes;
    bool sp2Corrected = false;  // the SP2 correction was applied: tell the user once
};

PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw);

}  // namespace pxm

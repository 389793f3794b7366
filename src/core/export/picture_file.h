#pragma once
// The one writer behind every save: the complete bytes of a picture file in any format and
// container, ready for the caller to put on disk.
#include <cstdint>
#include <vector>

#include "core/export/picture_data.h"
#include "core/format/c64_file.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

struct PictureFile {
    std::vector<std::uint8_t> bytes;
    bool sp2Corrected = false;  // the SP2 correction was applied: tell the user once
};

// The format's picture bytes (after the load address). Returns whether the SP2 correction
// was applied.
bool BuildPictureData(const KoalaImage& image, ExportFormat format, bool correctSp2Flaw, PictureData& data);

// A C64 file in a container, appended to out.
void AppendContainer(std::vector<std::uint8_t>& out, Container container, const C64File& file);

PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw);

}  // namespace pxm

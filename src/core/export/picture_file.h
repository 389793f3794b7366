#pragma once
// The one writer behind every save: the complete bytes of a picture file in any format and
// container, ready for the caller to put on disk.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/result.h"
#include "core/disk/d64_image.h"
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

// A C64 file in a container, appended to out; or, when the container cannot take the file (a
// disk image one too large for it), out left as it was.
Status<TooLargeForDisk> AppendContainer(std::vector<std::uint8_t>& out, Container container, const C64File& file);

// A format's picture bytes as a C64 file: the format's load address, and `name` (PETSCII), or
// the format's own C64 name when it is empty.
C64File PictureC64File(ExportFormat format, std::span<const std::uint8_t> data, std::string_view name = {});

// Every container takes a picture.
PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw,
                             std::string_view name = {});

}  // namespace pxm

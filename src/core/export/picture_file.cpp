#include "core/export/picture_file.h"

#include <algorithm>

#include "core/export/containers.h"
#include "core/export/layouts.h"
#include "core/export/picture_data.h"
#include "core/export/sp2_packer.h"
#include "core/tape/tap_image.h"

namespace pxm {

PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw) {
    PictureFile file;
    PictureData data;
    switch (format) {
        case ExportFormat::Koala:
            std::copy(image.begin(), image.end(), data.bytes.begin());
            data.size = image.size();
            break;
        case ExportFormat::ArtStudio: BuildArtStudioLayout(image, data); break;
        case ExportFormat::Artist64: BuildArtist64Layout(image, data); break;
        case ExportFormat::BlazingPaddles: BuildBlazingPaddlesLayout(image, data); break;
        case ExportFormat::Sp2: file.sp2Corrected = PackSp2(image, correctSp2Flaw, data).corrected; break;
    }
    if (container == Container::Tap) {
        file.bytes.reserve(TapeImageSize(data.size));
        WriteTapeImage(file.bytes, data.view(), format);
    } else {
        file.bytes.reserve(data.size + P00HeaderSize + 2);
        AppendProgramFile(file.bytes, container, format, data.view());
    }
    return file;
}

}  // namespace pxm

#include "core/export/picture_file.h"

#include "core/export/containers.h"
#include "core/export/layouts.h"
#include "core/export/sp2_packer.h"
#include "core/tape/tap_image.h"

namespace pxm {

bool BuildPictureData(const KoalaImage& image, ExportFormat format, bool correctSp2Flaw, PictureData& data) {
    const FormatInfo& info = InfoOf(format);
    switch (info.encoding) {
        case Encoding::Plain: BuildLayout(image, info.layout, data); return false;
        case Encoding::Sp2Packed: return PackSp2(image, correctSp2Flaw, data).corrected;
    }
    return false;
}

void AppendContainer(std::vector<std::uint8_t>& out, Container container, const C64File& file) {
    switch (container) {
        case Container::P00: AppendProgramFile(out, file, true); break;
        case Container::Prg: AppendProgramFile(out, file, false); break;
        case Container::Tap:
            out.reserve(out.size() + TapeImageSize(file.data.size()));
            WriteTapeImage(out, file);
            break;
    }
}

PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw) {
    PictureFile file;
    PictureData data;
    file.sp2Corrected = BuildPictureData(image, format, correctSp2Flaw, data);
    const FormatInfo& info = InfoOf(format);
    AppendContainer(file.bytes, container, {info.loadAddress, info.c64Name, data.view()});
    return file;
}

}  // namespace pxm

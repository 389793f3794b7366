#include "core/export/picture_file.h"

#include <cassert>

#include "core/disk/d64_image.h"
#include "core/export/containers.h"
#include "core/export/layouts.h"
#include "core/export/sp2_packer.h"
#include "core/tape/tap_image.h"

namespace pxm {

// A picture always fits on a disk: only a program built around one could grow too large.
static_assert(BlockCount(LoadAddressSize + PictureDataCapacity) <= EmptyDiskBlocksFree);

bool BuildPictureData(const KoalaImage& image, ExportFormat format, bool correctSp2Flaw, PictureData& data) {
    const FormatInfo& info = InfoOf(format);
    switch (info.encoding) {
        case Encoding::Plain: BuildLayout(image, info.layout, data); return false;
        case Encoding::Sp2Packed: return PackSp2(image, correctSp2Flaw, data).corrected;
    }
    return false;
}

Status<TooLargeForDisk> AppendContainer(std::vector<std::uint8_t>& out, Container container, const C64File& file) {
    switch (container) {
        case Container::P00: AppendProgramFile(out, file, true); break;
        case Container::Prg: AppendProgramFile(out, file, false); break;
        case Container::Tap:
            out.reserve(out.size() + TapeImageSize(file.data.size()));
            WriteTapeImage(out, file);
            break;
        case Container::D64: return WriteD64Image(out, file);
    }
    return Done{};
}

C64File PictureC64File(ExportFormat format, std::span<const std::uint8_t> data, std::string_view name) {
    const FormatInfo& info = InfoOf(format);
    return {info.loadAddress, name.empty() ? info.c64Name : name, data};
}

PictureFile BuildPictureFile(const KoalaImage& image, ExportFormat format, Container container, bool correctSp2Flaw,
                             std::string_view name) {
    PictureFile file;
    PictureData data;
    file.sp2Corrected = BuildPictureData(image, format, correctSp2Flaw, data);
    [[maybe_unused]] const Status<TooLargeForDisk> appended =
        AppendContainer(file.bytes, container, PictureC64File(format, data.view(), name));
    assert(appended.ok());  // a picture always fits on a disk, as asserted above
    return file;
}

}  // namespace pxm

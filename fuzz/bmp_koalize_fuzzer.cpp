// libFuzzer target: any bytes as a BMP file, through the reader, every koalization and, on
// success, the picture file of a format and container picked from the input, named with the
// input's last bytes taken as a --name text when they make a C64 file name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/disk/d64_image.h"
#include "core/export/containers.h"
#include "core/export/picture_file.h"
#include "core/format/petscii_name.h"
#include "core/import/bmp_pixels.h"
#include "core/import/bmp_reader.h"
#include "core/import/picture_import.h"
#include "core/koala/cell_colours.h"
#include "core/koala/koalize.h"
#include "core/koala/koalize_step.h"
#include "core/tape/tap_image.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The file's size follows from its container alone.
void CheckFileSize(const pxm::PictureFile& file, pxm::Container container, std::size_t dataSize) {
    switch (container) {
        case pxm::Container::P00: Check(file.bytes.size() == pxm::P00HeaderSize + pxm::LoadAddressSize + dataSize); break;
        case pxm::Container::Prg: Check(file.bytes.size() == pxm::LoadAddressSize + dataSize); break;
        case pxm::Container::Tap: Check(file.bytes.size() == pxm::TapeImageSize(dataSize)); break;
        case pxm::Container::D64: Check(file.bytes.size() == pxm::D64ImageSize); break;
    }
}

// A name either converts to 1 to 16 bytes PETSCII shows as ASCII does, or is refused with a reason.
std::string NameFrom(std::span<const std::uint8_t> bytes) {
    const auto tail = bytes.last(std::min<std::size_t>(bytes.size(), 2 * pxm::C64NameLength));
    const pxm::PetsciiName name =
        pxm::PetsciiNameFromText(std::string_view(reinterpret_cast<const char*>(tail.data()), tail.size()));
    Check(name.ok() ? !name.bytes.empty() && name.bytes.size() <= pxm::C64NameLength : name.bytes.empty());
    for (const char c : name.bytes) Check(c >= ' ' && c <= ']' && c != '\\');
    return name.bytes;
}

void BuildFile(const pxm::KoalaImage& image, std::uint32_t pick, std::string_view name) {
    const auto format = static_cast<pxm::ExportFormat>(pick % pxm::ExportFormatCount);
    const auto container = static_cast<pxm::Container>((pick / pxm::ExportFormatCount) % pxm::ContainerCount);
    const bool fix = (pick >> 8) & 1;
    const pxm::PictureFile file = pxm::BuildPictureFile(image, format, container, fix, name);
    Check(!file.bytes.empty() && file.refusal.empty());
    Check(!file.sp2Corrected || (format == pxm::ExportFormat::Sp2 && fix));
    const pxm::FormatInfo& info = pxm::InfoOf(format);
    if (info.encoding == pxm::Encoding::Plain) CheckFileSize(file, container, info.layout.size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    auto canvas = std::make_unique<pxm::Canvas>();
    canvas->fill(0xA5);
    const pxm::BmpReadResult read = pxm::ReadBmp(bytes, *canvas);
    if (!read.ok()) {
        // A refused file leaves the canvas as it was.
        for (const std::uint8_t v : *canvas) Check(v == 0xA5);
        return 0;
    }
    Check(read.info.width <= pxm::MaxBmpWidth && read.info.height <= pxm::MaxBmpHeight);
    Check(read.info.colours == 16 || read.info.colours == 256);

    // The same file read by its colours, as --palette auto reads a BMP.
    const pxm::DecodedPicture pixels = pxm::BmpAsPicture(bytes, read.info);
    Check(pixels.rgb.size() == std::size_t{read.info.width} * read.info.height && pixels.indexes.size() == pixels.rgb.size());
    auto byColours = std::make_unique<pxm::Canvas>();
    const pxm::PictureImport imported = pxm::ImportPicture(pixels, "BMP", {}, *byColours);
    Check(imported.refusal != pxm::ImportRefusal::None || imported.palette.has_value() || pixels.rgb.empty());

    std::uint32_t pick = 0;
    for (const std::uint8_t b : bytes.first(std::min<std::size_t>(size, 64))) pick = pick * 31 + b;

    const std::string name = NameFrom(bytes);
    auto image = std::make_unique<pxm::KoalaImage>();
    const pxm::AutoBackgroundResult automatic = pxm::AutoBackgroundSearch(*canvas, *image);
    if (automatic.background) {
        Check((*image)[pxm::KoalaBackgroundOffset] == *automatic.background);
        BuildFile(*image, pick, name);
    } else {
        const pxm::KoalizeOutcome refused =
            pxm::Koalize(*canvas, *image, pxm::PaletteMode::Multicolour, pxm::AutoBackground);
        Check(!refused.ok() && refused.failedCell >= 0 && refused.failedCell < pxm::CellCount);
        // With C64 colours only, the cell that stopped it really holds four colours besides.
        auto colours = pxm::DistinctCellColours(*canvas, refused.failedCell);
        std::erase(colours, refused.failedBackground);
        if (read.info.colours == 16) Check(colours.size() > 3 && refused.failingCells >= 1);
    }

    const pxm::KoalizeResult four = pxm::KoalizeFourGreys(*canvas, *image);
    if (four.ok) BuildFile(*image, pick + 1, name);
    const pxm::KoalizeResult five = pxm::KoalizeFiveGreys(*canvas, *image);
    // Whatever fits four grey levels fits five.
    Check(!four.ok || five.ok);
    if (five.ok) BuildFile(*image, pick + 2, name);
    return 0;
}

// libFuzzer target: any bytes as a BMP file, through the reader (with and without the header
// checks), every koalization and the cells a clash map marks and, on
// success, the picture file of a format and container picked from the input, named with the
// input's last bytes taken as a --name text when they make a C64 file name.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/disk/d64_image.h"
#include "core/export/containers.h"
#include "core/export/picture_file.h"
#include "core/format/petscii_name.h"
#include "core/import/bmp_colours.h"
#include "core/import/bmp_reader.h"
#include "core/koala/cell_colours.h"
#include "core/koala/clashing_cells.h"
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

// A name either converts to 1 to 16 bytes PETSCII shows as ASCII does, or is refused.
std::string NameFrom(std::span<const std::uint8_t> bytes) {
    const auto tail = bytes.last(std::min<std::size_t>(bytes.size(), 2 * pxm::C64NameLength));
    const auto name = pxm::PetsciiNameFromText(std::string_view(reinterpret_cast<const char*>(tail.data()), tail.size()));
    if (!name) return {};
    Check(!name->empty() && name->size() <= pxm::C64NameLength);
    for (const char c : *name) Check(c >= ' ' && c <= ']' && c != '\\');
    return *name;
}

void BuildFile(const pxm::KoalaImage& image, std::uint32_t pick, std::string_view name) {
    const auto format = static_cast<pxm::ExportFormat>(pick % pxm::ExportFormatCount);
    const auto container = static_cast<pxm::Container>((pick / pxm::ExportFormatCount) % pxm::ContainerCount);
    const bool fix = (pick >> 8) & 1;
    const pxm::PictureFile file = pxm::BuildPictureFile(image, format, container, fix, name);
    Check(!file.bytes.empty());
    Check(!file.sp2Corrected || (format == pxm::ExportFormat::Sp2 && fix));
    const pxm::FormatInfo& info = pxm::InfoOf(format);
    if (info.encoding == pxm::Encoding::Plain) CheckFileSize(file, container, info.layout.size);
}

// The cells the clash map marks agree with the koalizer: none when it works, else the first is
// where it stopped.
void CheckClashes(const pxm::CellSet& cells, const pxm::KoalizeOutcome& run) {
    if (run.ok()) {
        Check(cells.none());
        return;
    }
    Check(run.failedCell >= 0 && cells[static_cast<std::size_t>(run.failedCell)]);
    for (int cell = 0; cell < run.failedCell; ++cell) Check(!cells[static_cast<std::size_t>(cell)]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    auto canvas = std::make_unique<pxm::Canvas>();
    canvas->fill(0xA5);
    // The converter checks the signature and the bits per pixel as well, and takes the palette
    // and rows where the header says; whatever passes those checks passes the fields alone, and
    // reads the same where the header puts them where a 40-byte header does.
    const auto checked = std::make_unique<pxm::Canvas>();
    checked->fill(0x5A);
    const auto strict = pxm::ReadBmp(bytes, *checked, pxm::BmpHeaderCheck::SignatureAndDepth);
    const auto read = pxm::ReadBmp(bytes, *canvas, pxm::BmpHeaderCheck::FieldsOnly);
    if (strict) {
        Check(read.ok() && strict->width == read->width && strict->height == read->height);
        if (strict->paletteAt == read->paletteAt && strict->pixelsAt == read->pixelsAt) Check(*checked == *canvas);
    }
    if (!read.ok()) {
        // A refused file leaves the canvas as it was.
        for (const std::uint8_t v : *canvas) Check(v == 0xA5);
        Check(!strict && (strict.error() == read.error() || strict.error() == pxm::BmpFailure::NoSignature));
        return 0;
    }
    Check(read->width <= pxm::MaxBmpWidth && read->height <= pxm::MaxBmpHeight);
    Check(read->colours == 16 || read->colours == 256);

    // The same pixels judged by their palette entries' colours and read by them, as the converter
    // reads a BMP whose C64 colours are in another order: only colour numbers come out, and only
    // where the picture is.
    const pxm::BmpInfo& info = strict ? *strict : *read;
    const pxm::Canvas& indexes = strict ? *checked : *canvas;
    const pxm::BmpColours used = pxm::UsedBmpColours(bytes, info, indexes);
    std::size_t counted = 0;
    for (const pxm::ColourAt& colour : used.colours) {
        counted += colour.pixels;
        Check(colour.pixels > 0 && colour.x >= 0 && colour.x < info.width && colour.y >= 0 && colour.y < info.height);
    }
    Check(counted == std::size_t{(info.width + 1u) / 2} * info.height);
    const pxm::PaletteMatch match = pxm::MatchColours(used.colours, {});
    Check(pxm::UsedIndexes(info, indexes) == used.used);
    if (pxm::ExactAtOwnIndexes(bytes, info, used.used)) Check(match.refusal == pxm::ColourRefusal::None && match.differsBy == 0);
    if (match.refusal == pxm::ColourRefusal::None) {
        auto byColours = std::make_unique<pxm::Canvas>(indexes);
        pxm::NumbersByColour(*byColours, info, used, match);
        for (int x = 0; x < pxm::CanvasColumns; ++x) {
            for (int y = 0; y < pxm::CanvasRows; ++y) {
                const std::uint8_t number = (*byColours)[pxm::CanvasIndex(x, y)];
                Check(number < 16);
                if (2 * x >= info.width + 1 || y >= info.height) Check(number == 0);
            }
        }
    } else if (match.refusal == pxm::ColourRefusal::StrayColours) {
        // The colours kept are at most sixteen and at least one; every stray is one of the picture's.
        Check(!match.strays.empty() && match.strays.size() < used.colours.size() &&
              used.colours.size() - match.strays.size() <= pxm::MaxPictureColours);
        for (const pxm::ForeignColour& stray : match.strays) {
            Check(std::any_of(used.colours.begin(), used.colours.end(),
                              [&](const pxm::ColourAt& c) { return c.rgb == stray.colour.rgb; }));
        }
    }
    // The palette as a whole, as the converter judges it without --palette.
    const pxm::BmpColours whole = pxm::UsedBmpColours(bytes, info, indexes, pxm::BmpEntries::All);
    Check(whole.used == used.used && whole.colours.size() <= info.colours);
    for (const std::optional<pxm::PaletteChoice> choice : {std::optional<pxm::PaletteChoice>{}, std::optional(pxm::PaletteChoice{})}) {
        const pxm::BmpJudgement judged = pxm::JudgeBmpColours(bytes, info, indexes, choice);
        if (judged.reading == pxm::BmpJudgement::Reading::ByIndex) Check(!choice);
        if (judged.reading == pxm::BmpJudgement::Reading::Refused) Check(judged.match.refusal != pxm::ColourRefusal::None);
        if (judged.reading == pxm::BmpJudgement::Reading::ByColour) {
            Check(judged.match.refusal == pxm::ColourRefusal::None && judged.match.numberOf.size() == judged.colours.colours.size());
        }
    }

    std::uint32_t pick = 0;
    for (const std::uint8_t b : bytes.first(std::min<std::size_t>(size, 64))) pick = pick * 31 + b;

    const std::string name = NameFrom(bytes);
    auto image = std::make_unique<pxm::KoalaImage>();
    const pxm::KoalizeOutcome automatic = pxm::AutoBackgroundSearch(*canvas, *image);
    if (automatic.autoBackground) {
        Check((*image)[pxm::KoalaBackgroundOffset] == *automatic.autoBackground);
        BuildFile(*image, pick, name);
    } else {
        Check(!automatic.ok() && automatic.failedCell >= 0 && automatic.failedCell < pxm::CellCount);
        // With C64 colours only, the cell that stopped it really holds four colours besides.
        auto colours = pxm::DistinctCellColours(*canvas, automatic.failedCell);
        std::erase(colours, automatic.failedBackground);
        if (read->colours == 16) Check(colours.size() > 3);
    }

    const pxm::Clashes fewest = pxm::FindClashes(*canvas, pxm::PaletteMode::Multicolour, pxm::AutoBackground);
    Check(fewest.cells.none() == automatic.autoBackground.has_value());
    const auto background = static_cast<std::uint8_t>(pick % 16);
    const pxm::Clashes fixed = pxm::FindClashes(*canvas, pxm::PaletteMode::Multicolour, pxm::BackgroundChoice{background});
    CheckClashes(fixed.cells, pxm::KoalizeMulticolour(*canvas, *image, background));
    Check(fewest.cells.count() <= fixed.cells.count());

    const pxm::KoalizeOutcome four = pxm::KoalizeFourGreys(*canvas, *image);
    CheckClashes(pxm::FindClashes(*canvas, pxm::PaletteMode::FourGreys, pxm::AutoBackground).cells, four);
    if (four.ok()) BuildFile(*image, pick + 1, name);
    const pxm::KoalizeOutcome five = pxm::KoalizeFiveGreys(*canvas, *image);
    CheckClashes(pxm::FindClashes(*canvas, pxm::PaletteMode::FiveGreys, pxm::AutoBackground).cells, five);
    // Whatever fits four grey levels fits five.
    Check(!four.ok() || five.ok());
    if (five.ok()) BuildFile(*image, pick + 2, name);
    return 0;
}

// libFuzzer target: a BMP file after the choice bytes (fuzz/conversion_choice.h), through the
// reader (with and without the header checks), the colours judged by the palette entries, the
// cells a clash map marks against the koalizer in the mode and background picked, its last bytes
// as a --name text, and the one conversion the choice bytes pick, through the library's front door.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "core/format/c64_file.h"
#include "core/format/petscii_name.h"
#include "core/import/bmp_colours.h"
#include "core/import/bmp_reader.h"
#include "core/koala/cell_colours.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/koalize.h"
#include "core/koala/koalize_step.h"
#include "fuzz/conversion_run.h"

namespace {

using pxm::fuzz::Check;

// The cells the clash map marks agree with the koalizer: none when it works, else (a fixed
// background or a grey mode) the first is where it stopped; AUTO fails only where every
// background leaves some.
void CheckClashes(const pxm::Canvas& canvas, pxm::PaletteMode mode, pxm::BackgroundChoice background, bool sixteenColours) {
    auto image = std::make_unique<pxm::KoalaImage>();
    const pxm::KoalizeOutcome run = pxm::Koalize(canvas, *image, mode, background);
    const pxm::CellSet cells = pxm::FindClashes(canvas, mode, background).cells;
    if (run.ok()) {
        Check(cells.none());
        if (run.autoBackground) Check((*image)[pxm::KoalaBackgroundOffset] == *run.autoBackground);
        // Whatever fits four grey levels fits five.
        if (mode == pxm::PaletteMode::FourGreys) Check(pxm::KoalizeFiveGreys(canvas, *image).ok());
        return;
    }
    Check(run.failedCell >= 0 && run.failedCell < pxm::CellCount && cells.any());
    if (mode == pxm::PaletteMode::Multicolour && !background.colour) {
        // With C64 colours only, the cell that stopped it really holds four colours besides.
        auto colours = pxm::DistinctCellColours(canvas, run.failedCell);
        std::erase(colours, run.failedBackground);
        if (sixteenColours) Check(colours.size() > 3);
        return;
    }
    Check(cells[static_cast<std::size_t>(run.failedCell)]);
    for (int cell = 0; cell < run.failedCell; ++cell) Check(!cells[static_cast<std::size_t>(cell)]);
}

// A name either converts to 1 to 16 bytes PETSCII shows as ASCII does, or is refused.
void CheckName(std::span<const std::uint8_t> bytes) {
    const auto tail = bytes.last(std::min<std::size_t>(bytes.size(), 2 * pxm::C64NameLength));
    const auto name = pxm::PetsciiNameFromText(std::string_view(reinterpret_cast<const char*>(tail.data()), tail.size()));
    if (!name) return;
    Check(!name->empty() && name->size() <= pxm::C64NameLength);
    for (const char c : *name) Check(c >= ' ' && c <= ']' && c != '\\');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<pxm::fuzz::ChosenRun> run = pxm::fuzz::ChosenRunOf(data, size, pxm::fuzz::BmpDimensions());
    if (!run) return 0;
    const std::span<const std::uint8_t> bytes = run->file;
    CheckName(bytes);
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
        pxm::fuzz::RunConversion(*run);
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
    CheckClashes(*canvas, run->options.mode, run->options.background, read->colours == 16);
    pxm::fuzz::RunConversion(*run);
    return 0;
}

#include "cli/picture_reading.h"

#include "cli/failure_detail.h"
#include "cli/picture_decoder.h"
#include "cli/picture_refusal.h"
#include "cli/text_join.h"
#include "cli/verbose_lines.h"
#include "core/import/bmp_pixels.h"
#include "core/import/bmp_reader.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"

namespace pxm::cli {

namespace {

PictureReading Refused(Refusal refusal) {
    PictureReading reading;
    reading.outcome = PictureReading::Outcome::Refused;
    reading.caption = "Error";
    reading.text = std::move(refusal.text);
    reading.detail = std::move(refusal.detail);
    return reading;
}

// The colour numbers of a picture from its RGB, in the palette asked for or the one that fits.
PictureReading ImportByColours(const DecodedPicture& decoded, std::string_view kindName, const PaletteChoice& choice,
                               Canvas& canvas) {
    const PictureImport imported = ImportPicture(decoded, kindName, choice, canvas);
    if (imported.refusal != ImportRefusal::None) return Refused(ImportRefusalText(imported, decoded, kindName));

    PictureReading reading;
    reading.source = imported.source;
    if (imported.palette) {
        reading.palette = *imported.palette;
        reading.information = Join({"Palette: ", C64Palettes[*imported.palette].name, "."});
        if (const auto area = AcceptedArea(decoded.width, decoded.height))
            reading.verbose = PaletteDistanceLine(decoded, *area, *imported.palette);
    }
    return reading;
}

// A BMP whose palette holds the colours of a known C64 palette, but not each at its own index,
// is read by its indexes all the same, as the Windows program reads it: the user is told.
std::string PaletteOrderWarning(const DecodedPicture& bmp) {
    const std::optional<PictureArea> area = AcceptedArea(bmp.width, bmp.height);
    if (!area) return {};
    const PaletteMatch match = MatchPalette(bmp, *area, PaletteChoice{});
    if (match.refusal != ColourRefusal::None) return {};
    for (std::size_t k = 0; k < match.numbers.size(); ++k) {
        const std::uint8_t index = bmp.indexes[k];
        if (match.numbers[k] == index) continue;
        return Join({"palette index ", std::to_string(index), " holds colour ", ColourText(match.numbers[k]), " of ",
                     C64Palettes[match.palette].name,
                     ": this BMP's colours are C64 colours, but not at their own indexes. It is read by its indexes "
                     "(--palette index); give --palette auto to read it by its colours."});
    }
    return {};
}

PictureReading ReadBmpPicture(const InputFile& input, const CliOptions& options, Canvas& canvas) {
    PictureReading reading;
    const BmpReadResult bmp = ReadBmp(input.bytes, canvas);
    if (!bmp.ok()) {
        reading.outcome = PictureReading::Outcome::Refused;
        reading.caption = bmp.error->caption;
        reading.text = bmp.error->text;
        return reading;
    }
    const DecodedPicture pixels = BmpAsPicture(input.bytes, bmp.info);
    if (options.palette && options.palette->kind != PaletteChoice::Kind::Index)
        return ImportByColours(pixels, "BMP", *options.palette, canvas);
    // The reader keeps BMP pixel 2x + 1 of a 16-colour row and pixel 2x of a 256-colour row.
    reading.source = {"BMP", 0, 0, bmp.info.colours == 16 ? 1 : 0};
    if (!options.palette) reading.warning = PaletteOrderWarning(pixels);
    return reading;
}

}  // namespace

PictureReading ReadPicture(const InputFile& input, const CliOptions& options, Canvas& canvas) {
    const PictureKind kind = KindOfPicture(input.bytes);
    if (kind == PictureKind::Bmp) return ReadBmpPicture(input, options, canvas);

    const std::string_view kindName = KindName(kind);
    if (input.tooLarge) return Refused(FileTooLargeRefusal(kindName));
    const DecodeOutcome decoded = kind == PictureKind::Png ? DecodePng(input.bytes) : DecodeGif(input.bytes);
    switch (decoded.status) {
        case DecodeOutcome::Status::SizeRefused:
            return Refused(SizeRefusal(kindName, decoded.picture.width, decoded.picture.height));
        case DecodeOutcome::Status::Unreadable: return Refused(UnreadableRefusal(kindName, decoded.reason));
        case DecodeOutcome::Status::Decoded: break;
    }
    return ImportByColours(decoded.picture, kindName, options.palette.value_or(PaletteChoice{}), canvas);
}

}  // namespace pxm::cli

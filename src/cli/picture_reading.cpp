#include "cli/picture_reading.h"

#include "cli/failure_detail.h"
#include "cli/picture_decoder.h"
#include "cli/picture_refusal.h"
#include "cli/text_join.h"
#include "cli/verbose_lines.h"
#include "core/import/bmp_pixels.h"
#include "core/import/bmp_reader.h"
#include "core/import/colour_count.h"
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
PictureReading ImportByColours(const DecodedPicture& decoded, PictureKind kind, const PaletteChoice& choice,
                               Canvas& canvas) {
    const PictureImport imported = ImportPicture(decoded, kind, choice, canvas);
    if (imported.refusal != ImportRefusal::None) return Refused(ImportRefusalText(imported, decoded, KindName(kind)));

    PictureReading reading;
    reading.source = imported.source;
    if (imported.palette) {
        reading.palette = *imported.palette;
        // A palette that is no exact fit is named as the nearest, with its largest RGB difference.
        const int differsBy = imported.colours.differsBy;
        reading.information =
            differsBy == 0 ? Join({"Palette: ", C64Palettes[*imported.palette].name, "."})
                           : Join({"Palette: ", C64Palettes[*imported.palette].name,
                                   " (nearest; colours differ by up to ", std::to_string(differsBy), ")."});
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
    if (match.refusal != ColourRefusal::None || match.differsBy != 0) return {};
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
    const Result<BmpInfo, BmpFailure> bmp = ReadBmp(input.bytes, canvas, BmpHeaderCheck::SignatureAndDepth);
    if (!bmp) {
        const Message& message = BmpFailureMessage(bmp.error());
        reading.outcome = PictureReading::Outcome::Refused;
        reading.caption = message.caption;
        reading.text = message.text;
        return reading;
    }
    const DecodedPicture pixels = BmpAsPicture(input.bytes, *bmp);
    if (options.palette && options.palette->kind != PaletteChoice::Kind::Index)
        return ImportByColours(pixels, PictureKind::Bmp, *options.palette, canvas);
    // The reader keeps BMP pixel 2x + 1 of a 16-colour row and pixel 2x of a 256-colour row.
    reading.source = {PictureKind::Bmp, 0, 0, bmp->colours == 16 ? 1 : 0};
    if (!options.palette) reading.warning = PaletteOrderWarning(pixels);
    return reading;
}

}  // namespace

PictureReading ReadPicture(const InputFile& input, const CliOptions& options, Canvas& canvas) {
    const PictureKind kind = KindOfPicture(input.bytes);
    switch (kind) {
        case PictureKind::Bmp: return ReadBmpPicture(input, options, canvas);
        case PictureKind::Unknown: return Refused(NotAPictureRefusal());
        case PictureKind::Png:
        case PictureKind::Gif:
        case PictureKind::Jpeg: break;
    }

    const std::string_view kindName = KindName(kind);
    if (input.tooLarge) return Refused(FileTooLargeRefusal(kindName));
    DecodeOutcome decoded = DecodeOfKind(kind, input.bytes);
    switch (decoded.status) {
        case DecodeOutcome::Status::SizeRefused:
            return Refused(SizeRefusal(kindName, decoded.picture.width, decoded.picture.height));
        case DecodeOutcome::Status::Unreadable: return Refused(UnreadableRefusal(kindName, decoded.reason));
        case DecodeOutcome::Status::CmykRefused: return Refused(CmykRefusal(kindName));
        case DecodeOutcome::Status::Decoded: break;
    }
    // A JPEG is saved lossy: a C64 picture in it has hundreds of colours, none a palette's own.
    if (kind == PictureKind::Jpeg) {
        if (const std::size_t colours = CountColours(decoded.picture); colours > C64ColourCount)
            return Refused(TooManyColoursRefusal(kindName, colours));
    }

    PictureReading reading = ImportByColours(decoded.picture, kind, options.palette.value_or(PaletteChoice{}), canvas);
    if (reading.outcome == PictureReading::Outcome::Read) reading.decoded = std::move(decoded.picture);
    return reading;
}

}  // namespace pxm::cli

#include "lib/reading/picture_reading.h"

#include "lib/output/border_choice.h"
#include "lib/reading/picture_decoder.h"
#include "lib/wording/picture_refusal.h"
#include "cli/wording/terminal_message.h"
#include "lib/wording/text_join.h"
#include "lib/wording/verbose_lines.h"
#include "core/import/bmp_colours.h"
#include "core/import/bmp_reader.h"
#include "core/import/colour_count.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"
#include "core/palette/palette_book.h"

namespace pxm {

PictureReading Refused(Refusal refusal) {
    PictureReading reading;
    reading.outcome = PictureReading::Outcome::Refused;
    reading.caption = RefusalCaption;
    reading.text = std::move(refusal.text);
    reading.detail = std::move(refusal.detail);
    reading.nearestMakesIt = refusal.nearestMakesIt;
    return reading;
}

std::string PaletteLine(const PaletteMatch& match) {
    const std::string_view name = PaletteAt(match.palette).name;
    if (match.differsBy == 0) return Join({"Palette: ", name});
    return Join({"Palette: ", name, " (nearest; colours differ by up to ", std::to_string(match.differsBy), ")"});
}

namespace {

// The colour numbers of a picture from its RGB, in the palette asked for or the one that fits.
PictureReading ImportByColours(const DecodedPicture& decoded, PictureKind kind, const PaletteChoice& choice,
                               Canvas& canvas) {
    const PictureImport imported = ImportPicture(decoded, kind, choice, canvas);
    if (imported.refusal != ImportRefusal::None) return Refused(ImportRefusalText(imported, decoded, KindName(kind)));

    PictureReading reading;
    reading.source = imported.source;
    if (imported.palette) {
        reading.palette = *imported.palette;
        reading.information = PaletteLine(imported.colours) + ".";
        if (const auto area = AcceptedArea(decoded.width, decoded.height))
            reading.verbose = PaletteDistanceLine(decoded, *area, *imported.palette);
    }
    return reading;
}

// A BMP read by its indexes, by its colours (the user told) or refused, as JudgeBmpColours
// judges it; --palette index keeps its indexes. The pixels read are the same every way.
PictureReading ReadBmpPicture(const InputFile& input, const Options& options, Canvas& canvas) {
    PictureReading reading;
    const Result<BmpInfo, BmpFailure> bmp = ReadBmp(input.bytes, canvas, BmpHeaderCheck::SignatureAndDepth);
    if (!bmp) {
        const Message& message = BmpFailureMessage(bmp.error());
        reading.outcome = PictureReading::Outcome::Refused;
        reading.caption = message.caption;
        reading.text = message.text;
        return reading;
    }
    // The reader keeps BMP pixel 2x + 1 of a 16-colour row and pixel 2x of a 256-colour row.
    reading.source = {PictureKind::Bmp, 0, 0, bmp->colours == 16 ? 1 : 0};
    if (options.palette && options.palette->kind == PaletteChoice::Kind::Index) return reading;
    const BmpJudgement judged = JudgeBmpColours(input.bytes, *bmp, canvas, options.palette);
    const PaletteMatch& match = judged.match;
    switch (judged.reading) {
        case BmpJudgement::Reading::ByIndex: return reading;
        case BmpJudgement::Reading::Refused: {
            Refusal refusal = ColourRefusalText(match, KindName(PictureKind::Bmp));
            if (!options.palette) refusal.detail += " --palette index reads the BMP's indexes as they are.";
            return Refused(std::move(refusal));
        }
        case BmpJudgement::Reading::ByColour: break;
    }
    NumbersByColour(canvas, *bmp, judged.colours, match);
    reading.palette = match.palette;
    reading.information =
        PaletteLine(match) + (options.palette ? "." : "; this BMP holds its C64 colours in another order than their "
                                                      "numbers, so it is read by its colours (--palette index reads "
                                                      "its indexes).");
    return reading;
}

}  // namespace

PictureReading ReadPicture(const InputFile& input, const Options& options, Canvas& canvas) {
    const PictureKind kind = KindOfInput(input);
    switch (kind) {
        case PictureKind::Bmp: return ReadBmpPicture(input, options, canvas);
        case PictureKind::Unknown: return Refused(NotAPictureRefusal());
        case PictureKind::Png:
        case PictureKind::Gif:
        case PictureKind::Jpeg:
        case PictureKind::Webp:
        case PictureKind::Tiff:
        case PictureKind::Heic:
        case PictureKind::Avif: break;
    }

    const std::string_view kindName = KindName(kind);
    if (input.tooLarge) return Refused(FileTooLargeRefusal(kindName));
    DecodeOutcome decoded = DecodeInput(input, kind);
    switch (decoded.status) {
        case DecodeOutcome::Status::SizeRefused:
            return Refused(SizeRefusal(kindName, decoded.picture.width, decoded.picture.height));
        case DecodeOutcome::Status::Unreadable: return Refused(UnreadableRefusal(kindName, decoded.reason));
        case DecodeOutcome::Status::CodecMissing: return Refused(CodecMissingRefusal(kind));
        // Only a picture to be scaled is large enough.
        case DecodeOutcome::Status::MemoryRefused: return Refused(UnreadableRefusal(kindName, decoded.reason));
        case DecodeOutcome::Status::Decoded: break;
    }
    if (decoded.printColours) return Refused(CmykRefusal(kindName));
    // A JPEG, HEIC or AVIF is saved lossy: a C64 picture in it has hundreds of colours, none a
    // palette's own.
    if (kind == PictureKind::Jpeg || kind == PictureKind::Heic || kind == PictureKind::Avif) {
        if (const std::size_t colours = CountColours(decoded.picture); colours > C64ColourCount)
            return Refused(TooManyColoursRefusal(kindName, colours));
    }

    PictureReading reading = ImportByColours(decoded.picture, kind, options.palette.value_or(PaletteChoice{}), canvas);
    if (reading.outcome == PictureReading::Outcome::Read) {
        reading.border = ScreenshotBorder(decoded.picture, reading.palette);
        reading.decoded = std::move(decoded.picture);
    }
    return reading;
}

}  // namespace pxm

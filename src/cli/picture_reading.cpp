#include "cli/picture_reading.h"

#include "cli/picture_decoder.h"
#include "cli/picture_refusal.h"
#include "cli/text_join.h"
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

PictureReading ReadBmpPicture(const InputFile& input, const CliOptions& options, Canvas& canvas) {
    PictureReading reading;
    if (options.palette && options.palette->kind != PaletteChoice::Kind::Index) {
        reading.outcome = PictureReading::Outcome::UsageError;
        reading.text = Join({"--palette ", PaletteChoiceName(*options.palette),
                             " does not apply to a BMP: its palette indexes are the colour numbers"
                             " (leave --palette out or give index)"});
        return reading;
    }
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
    return reading;
}

DecodeOutcome Decode(PictureKind kind, std::span<const std::uint8_t> bytes) {
    switch (kind) {
        case PictureKind::Gif: return DecodeGif(bytes);
        case PictureKind::Jpeg: return DecodeJpeg(bytes);
        case PictureKind::Png:
        case PictureKind::Bmp:
        case PictureKind::Unknown: break;
    }
    return DecodePng(bytes);
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
    DecodeOutcome decoded = Decode(kind, input.bytes);
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

    const PaletteChoice choice = options.palette.value_or(PaletteChoice{});
    const PictureImport imported = ImportPicture(decoded.picture, kind, choice, canvas);
    if (imported.refusal != ImportRefusal::None) return Refused(ImportRefusalText(imported, decoded.picture, kindName));

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
    }
    reading.decoded = std::move(decoded.picture);
    return reading;
}

}  // namespace pxm::cli

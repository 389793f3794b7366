#include "lib/reading/nearest_conversion.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "lib/output/border_choice.h"
#include "lib/reading/picture_decoder.h"
#include "lib/wording/verbose_lines.h"
#include "lib/wording/picture_refusal.h"
#include "lib/reading/picture_scaling.h"
#include "lib/wording/text_join.h"
#include "core/import/picture_kind.h"
#include "core/import/screenshot_border.h"
#include "core/koala/colour_names.h"
#include "core/nearest/lossy_picture.h"
#include "core/nearest/nearest_picture.h"
#include "core/palette/palette_book.h"
#include "core/text/messages.h"

namespace pxm {

namespace {


// The picture's colour numbers where every colour is a C64 colour of the palette chosen (or of
// one AUTO finds); empty where not. The palette found, if any.
struct PixelArt {
    std::vector<std::uint8_t> numbers;
    std::optional<std::size_t> palette;
};

// A palette's colours are sixteen, and no two colours of a picture may take the same one: a
// picture of more colours (any photograph) is told at once, before the palettes are tried.
bool AtMostSixteenColours(const DecodedPicture& picture, const PictureArea& area) {
    std::array<std::uint32_t, 17> seen{};
    std::size_t count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const std::uint32_t colour = Packed(picture.rgb[picture.At(x, y)]);
            if (std::find(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(count), colour) != seen.begin() + static_cast<std::ptrdiff_t>(count)) continue;
            if (count == 16) return false;
            seen[count++] = colour;
        }
    }
    return true;
}

// The picture with the colour (and index) under each pixel that is not fully opaque replaced by
// an opaque pixel's: such a pixel takes the background, and what it hides must not keep the rest
// from being pixel art. nullopt: no pixel of the area is opaque.
std::optional<DecodedPicture> WithoutHiddenColours(const DecodedPicture& picture, const PictureArea& area) {
    std::optional<std::size_t> shown;
    for (int y = area.top; y < area.top + area.height && !shown; ++y) {
        for (int x = area.left; x < area.left + area.width && !shown; ++x) {
            if (picture.Opaque(picture.At(x, y))) shown = picture.At(x, y);
        }
    }
    if (!shown) return std::nullopt;
    DecodedPicture opaque = picture;
    for (std::size_t at = 0; at < opaque.rgb.size(); ++at) {
        if (opaque.Opaque(at)) continue;
        opaque.rgb[at] = picture.rgb[*shown];
        if (opaque.Indexed()) opaque.indexes[at] = picture.indexes[*shown];
    }
    return opaque;
}

PixelArt MatchPixelArt(const DecodedPicture& given, const PictureArea& area, const PaletteChoice& choice) {
    std::optional<DecodedPicture> uncovered;
    if (!given.alpha.empty()) {
        uncovered = WithoutHiddenColours(given, area);
        if (!uncovered) return {};
    }
    const DecodedPicture& picture = uncovered ? *uncovered : given;
    if (choice.kind == PaletteChoice::Kind::Index) {
        if (!picture.Indexed()) return {};
        PixelArt art;
        for (int y = area.top; y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) art.numbers.push_back(picture.indexes[picture.At(x, y)]);
        }
        if (std::ranges::any_of(art.numbers, [](std::uint8_t n) { return n > 15; })) return {};
        return art;
    }
    if (!AtMostSixteenColours(picture, area)) return {};
    PaletteMatch match = MatchPalette(picture, area, choice);
    if (match.refusal != ColourRefusal::None) return {};
    return {std::move(match.numbers), match.palette};
}

bool AllOpaque(const DecodedPicture& picture, const PictureArea& area) {
    if (picture.alpha.empty()) return true;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            if (!picture.Opaque(picture.At(x, y))) return false;
        }
    }
    return true;
}

// A C64 picture read from the area: its colours exactly (pixel art), or a lossy copy's clusters.
struct C64Reading {
    std::vector<std::uint8_t> numbers;  // the area's colour numbers; empty: not read so
    std::optional<std::size_t> palette;
    bool lossy = false;
};

C64Reading ReadAsC64(const DecodedPicture& picture, const PictureArea& area, const PaletteChoice& choice) {
    PixelArt art = MatchPixelArt(picture, area, choice);
    if (!art.numbers.empty() || choice.kind == PaletteChoice::Kind::Index || !AllOpaque(picture, area)) {
        return {std::move(art.numbers), art.palette, false};
    }
    std::optional<LossyPicture> lossy = ReadLossyPicture(picture, area, choice);
    if (!lossy) return {};
    return {std::move(lossy->numbers), lossy->palette, true};
}

// A picture of a size taken that is no C64 picture keeps its place when it fills the screen, or
// is an emulator's screenshot (its border one colour) or has the few colours of C64 art;
// anything else (a photograph smaller than the screen, or framed as a screenshot) is scaled.
bool KeepsPlace(const DecodedPicture& picture, const PictureArea& area) {
    if (AtMostSixteenColours(picture, area)) return true;
    if (picture.height == ScreenshotHeight) return BorderIsOneColour(picture, area);
    return picture.height == MaxPictureHeight && picture.width == area.pixelWidth * CanvasColumns;
}

// How many times a C64 picture's size (one taken with its own pixel width: 320x200, 160x200 or a
// screenshot) the file is, when it is 2, 3 or 4 times; and the size it comes from.
struct Enlargement {
    int factor = 1;
    PictureArea area;
};

std::optional<Enlargement> EnlargementOf(int width, int height) {
    for (int factor = 2; factor <= 4; ++factor) {
        if (width % factor != 0 || height % factor != 0) continue;
        const int w = width / factor;
        const int h = height / factor;
        const bool fullSize = (h == MaxPictureHeight && (w == MaxPictureWidth || w == NarrowPictureWidth)) ||
                              (h == ScreenshotHeight && (w == ScreenshotWidth || w == NarrowScreenshotWidth));
        if (fullSize) return Enlargement{factor, *AcceptedArea(w, h)};
    }
    return std::nullopt;
}

// The target on the screen: placed as the plain road places it, or scaled.
struct Placed {
    NearestTarget target;
    std::optional<std::size_t> palette;  // found by AUTO
    bool lossy = false;                  // read as a lossy copy of a C64 picture
    int enlarged = 1;                    // read as a C64 picture this many times its size
    std::optional<ScaleMode> scale;      // none: placed as read
    int left = 0;                        // scaled: where its top left lies on the screen
    int top = 0;
    bool failed = false;
};

Placed PlacedAsRead(const DecodedPicture& picture, const PictureArea& area, C64Reading read, int enlarged = 1) {
    Placed placed;
    placed.target = TargetFromPairs(picture, area, read.numbers);
    placed.palette = read.palette;
    placed.lossy = read.lossy;
    placed.enlarged = enlarged;
    return placed;
}

// decoded: the picture, brought down (only ever when it is to be scaled) or cut to its top left
// (only when placed unscaled) if it was large.
Placed Place(const DecodeOutcome& decoded, const Options& options) {
    const DecodedPicture& picture = decoded.picture;
    const BoxFactors reduction = decoded.reduction;
    const PaletteChoice choice = options.palette.value_or(PaletteChoice{});
    // A picture decoded smaller or cut was larger than any C64 picture.
    const bool whole = reduction == BoxFactors{} && !decoded.cut;
    const std::optional<PictureArea> taken = whole ? AcceptedArea(picture.width, picture.height) : std::nullopt;
    if (options.scale.value_or(ScaleMode::None) == ScaleMode::None) {
        if (taken) {
            C64Reading read = ReadAsC64(picture, *taken, choice);
            if (!read.numbers.empty() || options.scale || KeepsPlace(picture, *taken))
                return PlacedAsRead(picture, *taken, std::move(read));
        } else if (options.scale) {
            // A size not taken shows its top left.
            const PictureArea area{0, 0, std::min(picture.width, MaxPictureWidth), std::min(picture.height, MaxPictureHeight)};
            return PlacedAsRead(picture, area, ReadAsC64(picture, area, choice));
        } else if (const auto enlargement = EnlargementOf(picture.width * reduction.x, picture.height * reduction.y);
                   enlargement && reduction.x == reduction.y && enlargement->factor % reduction.x == 0 &&
                   AllOpaque(picture, {0, 0, picture.width, picture.height})) {
            // A JPEG may have been decoded at half its size already.
            const int factor = enlargement->factor / reduction.x;
            const DecodedPicture shrunk = factor == 1 ? picture : ShrinkBy(picture, factor);
            if (shrunk.rgb.empty()) {
                Placed failed;
                failed.failed = true;
                return failed;
            }
            C64Reading read = ReadAsC64(shrunk, enlargement->area, choice);
            if (!read.numbers.empty()) return PlacedAsRead(shrunk, enlargement->area, std::move(read), enlargement->factor);
        }
    }
    const ScaleMode scale = options.scale.value_or(ScaleMode::Fit);
    Placed placed;
    if (choice.kind == PaletteChoice::Kind::Auto) {
        placed.palette = MatchPixelArt(picture, {0, 0, picture.width, picture.height}, choice).palette;
    }
    const ScaledPicture scaled = ScaleToScreen(picture, scale, reduction);
    placed.scale = scale;
    placed.left = scaled.left;
    placed.top = scaled.top;
    placed.failed = scaled.picture.rgb.empty();
    if (!placed.failed) placed.target = TargetFromScaled(scaled.picture, scaled.left, scaled.top);
    return placed;
}

// The line that says how the picture was read: its palette, and whether as a C64 picture gone
// lossy or enlarged. An enlarged copy is not called lossy or not: a JPEG decoded at half its
// size (libjpeg-turbo) may hold its colours exactly where one decoded whole does not.
std::string ReadAsLine(const Placed& placed) {
    const std::string_view name = PaletteAt(*placed.palette).name;
    if (placed.enlarged > 1) {
        return Join({"Read as a C64 picture enlarged ", std::to_string(placed.enlarged), "x, in palette ", name, ".\n"});
    }
    if (placed.lossy) return Join({"Read as a lossy copy of a C64 picture, in palette ", name, ".\n"});
    return Join({"Palette: ", name, ".\n"});
}

// Unless it is to be placed unscaled, a picture may be decoded smaller (a large JPEG).
SizesTaken SizesFor(const Options& options) {
    return options.scale == ScaleMode::None ? SizesTaken::Scalable : SizesTaken::ScaledDown;
}

std::optional<DitherSettings> DitherAsked(const Options& options) {
    if (!options.dither && !options.ditherStrength) return std::nullopt;
    DitherSettings settings{DefaultDitherKind, 1.0f};
    if (options.dither) settings.kind = *options.dither;
    if (options.ditherStrength) settings.strength = *options.ditherStrength;
    return settings;
}

}  // namespace

PictureReading ConvertNearest(const InputFile& input, const Options& options, Canvas& canvas, KoalaImage& image) {
    const PictureKind kind = KindOfInput(input);
    std::unique_ptr<NearestTarget> target;
    PictureReading reading;
    NearestChoices choices;
    if (options.palette && options.palette->kind == PaletteChoice::Kind::Named)
        choices.paletteReason = options.paletteFile.empty() ? NearestChoices::PaletteReason::Named
                                                            : NearestChoices::PaletteReason::OwnFile;
    if (kind == PictureKind::Unknown) return Refused(NotAPictureRefusal());
    if (kind == PictureKind::Bmp) {
        // A BMP's indexes are its colour numbers: read as always, then pixel art.
        reading = ReadPicture(input, options, canvas);
        if (reading.outcome != PictureReading::Outcome::Read) return reading;
        target = std::make_unique<NearestTarget>(TargetFromCanvas(canvas, PaletteAt(reading.palette)));
        if (!options.palette && !reading.information.empty())
            choices.paletteReason = NearestChoices::PaletteReason::Recognised;  // read by its colours, and told
        choices.scalable = false;
    } else {
        const std::string_view kindName = KindName(kind);
        if (input.tooLarge) return Refused(NearestFileTooLargeRefusal(kindName));
        const DecodeOutcome decoded = DecodeInput(input, kind, SizesFor(options));
        switch (decoded.status) {
            case DecodeOutcome::Status::SizeRefused:
                return Refused(NearestSizeRefusal(kindName, decoded.picture.width, decoded.picture.height));
            case DecodeOutcome::Status::Unreadable: return Refused(UnreadableRefusal(kindName, decoded.reason));
            case DecodeOutcome::Status::CodecMissing: return Refused(CodecMissingRefusal(kind));
            case DecodeOutcome::Status::MemoryRefused:
                return Refused(MemoryRefusal(kind, decoded.picture.width, decoded.picture.height));
            case DecodeOutcome::Status::Decoded: break;
        }
        Placed placed = Place(decoded, options);
        if (placed.failed) return Refused(ScalingMemoryRefusal());
        target = std::make_unique<NearestTarget>(std::move(placed.target));
        if (options.palette && options.palette->kind == PaletteChoice::Kind::Named) reading.palette = options.palette->palette;
        if (placed.palette) {
            reading.palette = *placed.palette;
            reading.information = ReadAsLine(placed);
            choices.paletteReason = NearestChoices::PaletteReason::Recognised;
        }
        // The file's size to within a block (the reduced size was rounded up).
        choices.width = decoded.picture.width * decoded.reduction.x;
        choices.height = decoded.picture.height * decoded.reduction.y;
        choices.scale = placed.scale;
        choices.scaleGiven = options.scale.has_value();
        choices.left = placed.left;
        choices.top = placed.top;
        if (decoded.reduction == BoxFactors{} && !decoded.cut) reading.border = ScreenshotBorder(decoded.picture, reading.palette);
    }

    const NearestSettings settings{options.mode, options.background, DitherAsked(options), options.threading, options.placement};
    choices.palette = reading.palette;
    choices.dither = settings.dither;
    choices.pixelArt = target->pixelArt;
    reading.verbose += NearestChoicesLines(choices);
    const NearestOutcome outcome = MakeNearestPicture(*target, PaletteAt(reading.palette), settings, canvas, image);
    if (options.mode == PaletteMode::Multicolour && options.background == AutoBackground)
        reading.information += ChosenBackgroundText(ColourName(outcome.background)) + "\n";
    if (outcome.changes) {
        reading.information += Join({"Changed ", std::to_string(outcome.changes->pixels), " pixels in ",
                                     std::to_string(outcome.changes->cells), " cells.\n"});
    }
    if (!reading.information.empty()) reading.information.pop_back();  // the caller ends the last line
    return reading;
}

}  // namespace pxm

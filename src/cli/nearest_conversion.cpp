#include "cli/nearest_conversion.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "cli/picture_decoder.h"
#include "cli/picture_refusal.h"
#include "cli/picture_scaling.h"
#include "cli/text_join.h"
#include "core/import/picture_kind.h"
#include "core/koala/colour_names.h"
#include "core/nearest/nearest_picture.h"
#include "core/text/messages.h"

namespace pxm::cli {

namespace {

PictureReading Refused(std::string text) {
    PictureReading reading;
    reading.outcome = PictureReading::Outcome::Refused;
    reading.caption = "Error";
    reading.text = std::move(text);
    return reading;
}

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

// The target on the screen: placed as the plain road places it, or scaled.
struct Placed {
    NearestTarget target;
    std::optional<std::size_t> palette;  // found by AUTO
    bool failed = false;
};

// picture: decoded at 1/reduction of its file's size (only ever when it is to be scaled).
Placed Place(const DecodedPicture& picture, int reduction, const CliOptions& options) {
    const PaletteChoice choice = options.palette.value_or(PaletteChoice{});
    // A picture decoded smaller was larger than any C64 picture.
    const std::optional<PictureArea> taken = reduction == 1 ? AcceptedArea(picture.width, picture.height) : std::nullopt;
    const ScaleMode scale = options.scale.value_or(taken ? ScaleMode::None : ScaleMode::Fit);
    if (scale == ScaleMode::None) {
        // A size not taken shows its top left.
        const PictureArea area =
            taken.value_or(PictureArea{0, 0, std::min(picture.width, MaxPictureWidth), std::min(picture.height, MaxPictureHeight)});
        PixelArt art = MatchPixelArt(picture, area, choice);
        return {TargetFromPairs(picture, area, art.numbers), art.palette};
    }
    Placed placed;
    if (choice.kind == PaletteChoice::Kind::Auto) {
        placed.palette = MatchPixelArt(picture, {0, 0, picture.width, picture.height}, choice).palette;
    }
    const ScaledPicture scaled = ScaleToScreen(picture, scale);
    placed.failed = scaled.picture.rgb.empty();
    if (!placed.failed) placed.target = TargetFromScaled(scaled.picture, scaled.left, scaled.top);
    return placed;
}

// Unless it is to be placed unscaled, a picture may be decoded smaller (a large JPEG).
SizesTaken SizesFor(const CliOptions& options) {
    return options.scale == ScaleMode::None ? SizesTaken::Scalable : SizesTaken::ScaledDown;
}

std::optional<DitherSettings> DitherAsked(const CliOptions& options) {
    if (!options.dither && !options.ditherStrength) return std::nullopt;
    DitherSettings settings{DefaultDitherKind, 1.0f};
    if (options.dither) settings.kind = *options.dither;
    if (options.ditherStrength) settings.strength = *options.ditherStrength;
    return settings;
}

}  // namespace

PictureReading ConvertNearest(const InputFile& input, const CliOptions& options, Canvas& canvas, KoalaImage& image) {
    const PictureKind kind = KindOfPicture(input.bytes);
    std::unique_ptr<NearestTarget> target;
    PictureReading reading;
    if (kind == PictureKind::Unknown) return Refused(NotAPictureRefusal().text);
    if (kind == PictureKind::Bmp) {
        // A BMP's indexes are its colour numbers: read as always, then pixel art.
        reading = ReadPicture(input, options, canvas);
        if (reading.outcome != PictureReading::Outcome::Read) return reading;
        target = std::make_unique<NearestTarget>(TargetFromCanvas(canvas, C64Palettes[reading.palette]));
    } else {
        const std::string_view kindName = KindName(kind);
        if (input.tooLarge) {
            return Refused(Join({"This ", kindName, " file is longer than ", std::to_string(MaxScalableFileBytes >> 20),
                                 " MiB, the most --nearest takes."}));
        }
        const DecodeOutcome decoded = DecodeOfKind(kind, input.bytes, SizesFor(options));
        switch (decoded.status) {
            case DecodeOutcome::Status::SizeRefused:
                return Refused(Join({"This ", kindName, " file is ", std::to_string(decoded.picture.width), "x",
                                     std::to_string(decoded.picture.height), " pixels; --nearest takes pictures of up to ",
                                     std::to_string(MaxScalablePixels / 1'000'000), " megapixels, at most ",
                                     std::to_string(MaxScalableSide), " pixels on a side."}));
            case DecodeOutcome::Status::Unreadable: return Refused(UnreadableRefusal(kindName, decoded.reason).text);
            case DecodeOutcome::Status::CmykRefused: return Refused(CmykRefusal(kindName).text);
            case DecodeOutcome::Status::Decoded: break;
        }
        Placed placed = Place(decoded.picture, decoded.reduction, options);
        if (placed.failed) return Refused("Out of memory while scaling the picture.");
        target = std::make_unique<NearestTarget>(std::move(placed.target));
        if (options.palette && options.palette->kind == PaletteChoice::Kind::Named) reading.palette = options.palette->palette;
        if (placed.palette) {
            reading.palette = *placed.palette;
            reading.information = Join({"Palette: ", C64Palettes[*placed.palette].name, ".\n"});
        }
    }

    const NearestSettings settings{options.mode, options.background, DitherAsked(options)};
    const NearestOutcome outcome = MakeNearestPicture(*target, C64Palettes[reading.palette], settings, canvas, image);
    if (options.mode == PaletteMode::Multicolour && options.background == AutoBackground)
        reading.information += ChosenBackgroundText(ColourName(outcome.background)) + "\n";
    if (outcome.changes) {
        reading.information += Join({"Changed ", std::to_string(outcome.changes->pixels), " pixels in ",
                                     std::to_string(outcome.changes->cells), " cells.\n"});
    }
    if (!reading.information.empty()) reading.information.pop_back();  // the caller ends the last line
    return reading;
}

}  // namespace pxm::cli

#include "lib/reading/picture_info.h"

#include <memory>
#include <optional>

#include "lib/wording/failure_detail.h"
#include "lib/wording/number_text.h"
#include "lib/reading/picture_decoder.h"
#include "lib/reading/picture_reading.h"
#include "lib/wording/picture_refusal.h"
#include "lib/wording/text_join.h"
#include "core/import/bmp_colours.h"
#include "core/import/bmp_reader.h"
#include "core/import/colour_count.h"
#include "core/import/picture_kind.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize_step.h"
#include "core/nearest/lossy_picture.h"

namespace pxm {

namespace {

std::string SizeLine(int width, int height) {
    return Join({"Size: ", std::to_string(width), "x", std::to_string(height), " pixels\n"});
}

std::string TooManyForAPalette(std::size_t colours) {
    return Join({"Palette: none (", CountText(colours), " colours; a palette has ", std::to_string(MaxPictureColours), ")\n"});
}

// The palette the colours fit and how near, or why none does; a JPEG of a C64 picture's size and
// many colours, the palette its colours' clusters fit when it reads as a C64 picture saved lossy.
std::string PaletteInfoLine(const DecodedPicture& picture, PictureKind kind, std::size_t colours,
                            const Options& options) {
    PaletteChoice choice = options.palette.value_or(PaletteChoice{});
    if (choice.kind == PaletteChoice::Kind::Index) choice = PaletteChoice{};
    if (colours > MaxPictureColours + MaxStrayColours) {
        const std::optional<PictureArea> area = AcceptedArea(picture.width, picture.height);
        if (kind == PictureKind::Jpeg && area) {
            if (const std::optional<LossyPicture> lossy = ReadLossyPicture(picture, *area, choice))
                return Join({"Palette: ", C64Palettes[lossy->palette].name, " (a C64 picture saved lossy, as --nearest reads it)\n"});
        }
        return TooManyForAPalette(colours);
    }
    const PaletteMatch match = MatchPalette(picture, {0, 0, picture.width, picture.height}, choice);
    const std::string_view name = C64Palettes[match.palette].name;
    const std::string limit = Join({", more than the ", std::to_string(static_cast<int>(ForeignColourDistance)), " taken"});
    switch (match.refusal) {
        case ColourRefusal::None: return PaletteLine(match) + "\n";
        case ColourRefusal::TooManyColours: break;  // counted as above
        case ColourRefusal::StrayColours:
            return Join({"Palette: none (its ", std::to_string(MaxPictureColours), " most used colours fit ", name, "; ",
                         std::to_string(match.strays.size()), " more are stray)\n"});
        case ColourRefusal::UnknownColour:
        case ColourRefusal::NotInPalette:
            return Join({"Palette: none (nearest ", name, ", but a colour lies ", OneDecimal(match.distance),
                         " from its entry", limit, ")\n"});
        case ColourRefusal::SharedEntry:
            return Join({"Palette: none (nearest ", name, ", but two colours are the same colour of it)\n"});
    }
    return TooManyForAPalette(match.colourCount);
}

// Size, colours and palette of a PNG, GIF or JPEG, decoded as --nearest decodes it. Whether
// --nearest takes it: decoded so.
struct EncodedFacts {
    std::string text;
    std::string refusal;
    bool nearestTakes = false;
};

EncodedFacts EncodedPictureFacts(const InputFile& input, PictureKind kind, const Options& options) {
    const std::string_view kindName = KindName(kind);
    if (input.tooLarge) return {{}, NearestFileTooLargeRefusal(kindName).text};
    const DecodeOutcome decoded = DecodeInput(input, kind, SizesTaken::Scalable);
    const DecodedPicture& picture = decoded.picture;
    switch (decoded.status) {
        case DecodeOutcome::Status::SizeRefused:
            return {Join({SizeLine(picture.width, picture.height), "Colours: not counted: ",
                          NearestSizeRefusal(kindName, picture.width, picture.height).text, "\n"}),
                    {},
                    false};
        case DecodeOutcome::Status::Unreadable: return {{}, UnreadableRefusal(kindName, decoded.reason).text};
        case DecodeOutcome::Status::CodecMissing: return {{}, CodecMissingRefusal(kind).text};
        case DecodeOutcome::Status::MemoryRefused: return {{}, MemoryRefusal(kind, picture.width, picture.height).text};
        case DecodeOutcome::Status::Decoded: break;
    }
    if (decoded.cut || decoded.reduction != BoxFactors{}) {
        // Not held whole: the size as its header declares it (a C64 picture's decoding refuses
        // it by that alone), its colours left uncounted.
        const DecodeOutcome declared = DecodeInput(input, kind, SizesTaken::C64Picture);
        return {Join({SizeLine(declared.picture.width, declared.picture.height), "Colours: not counted: more than ",
                      std::to_string(MaxWholePixels / 1'000'000), " megapixels\n"}),
                {},
                true};
    }
    const std::size_t colours = CountColours(picture);
    return {Join({SizeLine(picture.width, picture.height), "Colours: ", CountText(colours), "\n",
                  PaletteInfoLine(picture, kind, colours, options)}),
            {},
            true};
}

// Size and colours of a BMP as the converter reads it (its palette is told by the reading).
std::string BmpFacts(const InputFile& input) {
    const auto canvas = std::make_unique<Canvas>();
    const Result<BmpInfo, BmpFailure> bmp = ReadBmp(input.bytes, *canvas, BmpHeaderCheck::SignatureAndDepth);
    if (!bmp) return {};
    const BmpIndexes used = UsedIndexes(*bmp, *canvas);
    std::size_t count = 0;
    for (const bool index : used) count += index;
    return Join({SizeLine(bmp->width, bmp->height), "Colours: ", std::to_string(count), " of its ",
                 std::to_string(bmp->colours), " palette entries\n"});
}

// How the plain road (reading, then koalizing with -m and -b) takes the picture: "Converts: as it
// is", or its refusal and whether --nearest makes a picture of it; and a BMP's palette as read.
struct PlainRoad {
    std::string converts;
    std::string bmpPalette;
};

PlainRoad TakenByThePlainRoad(const InputFile& input, const Options& options, bool nearestTakes) {
    const auto canvas = std::make_unique<Canvas>();
    const auto image = std::make_unique<KoalaImage>();
    const PictureKind kind = KindOfInput(input);
    PlainRoad road;
    std::string why;
    // The plain road reads an encoded picture of up to MaxEncodedPictureBytes.
    if (kind != PictureKind::Bmp && input.bytes.size() > MaxEncodedPictureBytes) {
        why = FileTooLargeRefusal(KindName(kind)).text;
    } else {
        const PictureReading reading = ReadPicture(input, options, *canvas);
        if (kind == PictureKind::Bmp && reading.outcome == PictureReading::Outcome::Read) {
            road.bmpPalette = reading.information.empty()
                                  ? "Palette: none needed (its indexes are the C64 colour numbers)\n"
                                  : Join({std::string_view(reading.information).substr(0, reading.information.size() - 1), "\n"});
        }
        if (reading.outcome != PictureReading::Outcome::Read) {
            why = reading.text;
            // --nearest reads a BMP as this road does; a PNG, GIF or JPEG that decoded it takes.
            nearestTakes = nearestTakes && kind != PictureKind::Bmp;
        } else if (const KoalizeOutcome koalized = Koalize(*canvas, *image, options.mode, options.background); !koalized.ok()) {
            why = OneLine(FailureMessage(koalized.failure).text);
            const std::string count =
                ClashCountLine(FindClashes(*canvas, options.mode, options.background), koalized.failure);
            if (!count.empty()) why = Join({why, " ", count});
            nearestTakes = true;
        } else {
            road.converts = "Converts: as it is\n";
            return road;
        }
    }
    road.converts = Join({"Converts: ", nearestTakes ? "only with --nearest (-n): " : "no: ", OneLine(why), "\n"});
    return road;
}

}  // namespace

InfoBlock PictureInfo(const InputFile& input, const Options& options) {
    const PictureKind kind = KindOfInput(input);
    if (kind == PictureKind::Unknown) return {{}, NotAPictureRefusal().text};
    InfoBlock block{Join({"Kind: ", KindName(kind), "\n"}), {}};
    bool nearestTakes = false;
    if (kind == PictureKind::Bmp) {
        block.text += BmpFacts(input);
        nearestTakes = true;
    } else {
        EncodedFacts facts = EncodedPictureFacts(input, kind, options);
        if (!facts.refusal.empty()) return {block.text, std::move(facts.refusal)};
        block.text += facts.text;
        nearestTakes = facts.nearestTakes;
    }
    const PlainRoad road = TakenByThePlainRoad(input, options, nearestTakes);
    block.text += road.bmpPalette + road.converts;
    return block;
}

}  // namespace pxm

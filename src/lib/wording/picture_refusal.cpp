#include "lib/wording/picture_refusal.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "lib/wording/failure_detail.h"
#include "lib/reading/input_file.h"
#include "lib/reading/nearest_conversion.h"
#include "lib/wording/number_text.h"
#include "lib/reading/picture_decoder.h"
#include "lib/wording/text_join.h"
#include "core/import/colour_count.h"
#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"
#include "core/palette/palette_book.h"

namespace pxm {

namespace {

constexpr std::string_view FromTheTopLeft = " (x from the left, y from the top)";
constexpr std::string_view NearestWayOut = "--nearest (-n) makes the nearest C64 picture of it.";

std::string RgbText(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

std::string PixelText(std::string_view kindName, int x, int y) {
    return Join({kindName, " pixel ", std::to_string(x), ",", std::to_string(y)});
}

// "2 (red, #68372B)"; a value above 15 has no name: "17 (#123456)".
std::string NumberWithRgb(int number, Rgb colour) {
    if (number > 15) return Join({std::to_string(number), " (", RgbText(colour), ")"});
    return Join({std::to_string(number), " (", ColourName(number), ", ", RgbText(colour), ")"});
}

// "35.2 from it (at most 25 is taken)": how far a colour lies from the nearest C64 colour.
std::string DistanceText(double distance) {
    return Join({OneDecimal(distance), " from it (at most ", std::to_string(static_cast<int>(ForeignColourDistance)),
                 " is taken)"});
}

std::string EntryText(const C64Palette& palette, int number) {
    return NumberWithRgb(number, palette.colours[static_cast<std::size_t>(number)]);
}

// "#FF0000 (first at PNG pixel 10,3): 2 (red, #68372B) of pepto is nearest, 74.3 from it (...)".
std::string StrayText(const ForeignColour& stray, const C64Palette& palette, std::string_view kindName) {
    return Join({RgbText(stray.colour.rgb), " (first at ", PixelText(kindName, stray.colour.x, stray.colour.y), "): ",
                 EntryText(palette, stray.nearest), " is nearest, ",
                 // Near enough, but another colour of the picture is that C64 colour.
                 stray.distance <= ForeignColourDistance
                     ? Join({OneDecimal(stray.distance), " from it, but another colour of the picture is that colour"})
                     : DistanceText(stray.distance)});
}

}  // namespace

Refusal ColourRefusalText(const PaletteMatch& match, std::string_view kindName) {
    const C64Palette& palette = PaletteAt(match.palette);
    const std::string entry = match.nearest < 0 ? std::string() : EntryText(palette, match.nearest);
    const std::string first = Join({PixelText(kindName, match.colour.x, match.colour.y), FromTheTopLeft,
                                    " is the first with colour ", RgbText(match.colour.rgb)});
    const std::string tooMany = Join({"The picture holds ", CountText(match.colourCount),
                                      " colours; a C64 picture holds at most ", std::to_string(MaxPictureColours), "."});
    switch (match.refusal) {
        case ColourRefusal::TooManyColours: return {tooMany, {}};
        case ColourRefusal::StrayColours: {
            std::string detail = Join({"The other colours fit the palette ", palette.name, "; these are stray",
                                       FromTheTopLeft, ": "});
            for (std::size_t k = 0; k < match.strays.size(); ++k)
                detail += Join({k == 0 ? "" : "; ", StrayText(match.strays[k], palette, kindName)});
            return {tooMany, detail + "."};
        }
        case ColourRefusal::UnknownColour:
            return {"The picture holds a colour that is not a C64 colour.",
                    Join({first, "; the other colours fit the palette ", palette.name, " best, and the nearest colour of ",
                          palette.name, ", ", entry, ", lies ", DistanceText(match.distance), "."})};
        case ColourRefusal::NotInPalette:
            return {Join({"The picture holds a colour that is not in the palette ", palette.name, "."}),
                    Join({first, "; the nearest colour of ", palette.name, " is ", entry, ", ",
                          DistanceText(match.distance), "."})};
        case ColourRefusal::SharedEntry:
            return {Join({"Two colours of the picture are the same colour of the palette ", palette.name, "."}),
                    Join({PixelText(kindName, match.other.x, match.other.y), " has ", RgbText(match.other.rgb), " and ",
                          PixelText(kindName, match.colour.x, match.colour.y), " has ", RgbText(match.colour.rgb),
                          FromTheTopLeft, ", each the first with its colour; both are ", entry, " in ", palette.name,
                          "."})};
        case ColourRefusal::None: break;
    }
    return {};
}

namespace {

Refusal PairRefusalText(const DifferingPair& pair, const DecodedPicture& picture, std::string_view kindName) {
    return {"Both pixels of a double-wide C64 pixel must have the same colour.",
            Join({kindName, " pixels ", std::to_string(pair.x), ",", std::to_string(pair.y), " and ",
                  std::to_string(pair.x + 1), ",", std::to_string(pair.y), FromTheTopLeft, " are ",
                  NumberWithRgb(pair.left, picture.rgb[picture.At(pair.x, pair.y)]), " and ",
                  NumberWithRgb(pair.right, picture.rgb[picture.At(pair.x + 1, pair.y)]), "."}),
            true};
}

}  // namespace

std::string WithWayOut(std::string_view text, bool nearestMakesIt) {
    if (!nearestMakesIt) return std::string(text);
    return Join({text, " ", NearestWayOut});
}

Refusal NotAPictureRefusal() {
    return {"This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.", {}};
}

Refusal FileTooLargeRefusal(std::string_view kindName) {
    return {Join({"This ", kindName, " file is longer than ", std::to_string(MaxEncodedPictureBytes >> 20),
                  " MiB; no picture of up to ", std::to_string(ScreenshotWidth), "x", std::to_string(ScreenshotHeight),
                  " pixels needs that much; --nearest (-n) takes files of up to ",
                  std::to_string(MaxScalableFileBytes >> 20), " MiB."}),
            {}};
}

Refusal SizeRefusal(std::string_view kindName, int width, int height) {
    return {Join({"This ", kindName, " file is ", std::to_string(width), "x", std::to_string(height),
                  " pixels. Pictures of up to ", std::to_string(MaxPictureWidth), "x", std::to_string(MaxPictureHeight),
                  " pixels are taken, or emulator screenshots of exactly ", std::to_string(ScreenshotWidth), "x",
                  std::to_string(ScreenshotHeight), " pixels with the picture at ", std::to_string(ScreenshotLeft), ",",
                  std::to_string(ScreenshotTop), " inside the border; at ", std::to_string(NarrowPictureWidth), "x",
                  std::to_string(MaxPictureHeight), " and ", std::to_string(NarrowScreenshotWidth), "x",
                  std::to_string(ScreenshotHeight), " one pixel is one double-wide C64 pixel."}),
            {},
            Takes(SizesTaken::Scalable, width, height)};
}

Refusal NearestFileTooLargeRefusal(std::string_view kindName) {
    return {Join({"This ", kindName, " file is longer than ", std::to_string(MaxScalableFileBytes >> 20),
                  " MiB, the most --nearest takes."}),
            {}};
}

Refusal NearestSizeRefusal(std::string_view kindName, int width, int height) {
    return {Join({"This ", kindName, " file is ", std::to_string(width), "x", std::to_string(height),
                  " pixels; --nearest takes pictures of at most ", std::to_string(MaxScalableSide),
                  " pixels on a side; make it smaller first."}),
            {}};
}

Refusal MemoryRefusal(PictureKind kind, int width, int height) {
    const std::string_view kindName = KindName(kind);
    const std::string size = Join({std::to_string(width), "x", std::to_string(height), " pixels"});
    if (kind == PictureKind::Jpeg)
        return {Join({"This ", kindName, " file is progressive and ", size, "; decoding it would take more than ",
                      std::to_string(MaxProgressiveJpegBytes >> 20),
                      " MiB. Saved as a baseline JPEG, as cameras and phones save, it is taken."}),
                {}};
    return {Join({"This ", kindName, " file is ", size, "; a ", kindName, " picture is decoded whole, of up to ",
                  std::to_string(MaxWholeDecodedPixels / 1'000'000),
                  " megapixels. Saved as a PNG or JPEG, a picture of any size up to ", std::to_string(MaxScalableSide),
                  " pixels on a side is taken."}),
            {}};
}

Refusal ScalingMemoryRefusal() { return {"Out of memory while scaling the picture.", {}}; }

Refusal UnreadableRefusal(std::string_view kindName, std::string_view reason) {
    return {Join({"This ", kindName, " file is damaged or incomplete (", reason, ")."}), {}};
}

Refusal CmykRefusal(std::string_view kindName) {
    return {Join({"This ", kindName,
                  " file holds CMYK colours, for print, which no C64 picture is saved in; save it in RGB."}),
            {},
            true};
}

namespace {

// What each kind needs that may be missing, and how to get it: on Windows the Windows Imaging
// Component's codecs, on Linux libheif, which the converter loads when it needs it.
struct MissingCodec {
    PictureKind kind;
    std::string_view needs;
    std::string_view wayOut;
};

#ifdef _WIN32
constexpr std::array<MissingCodec, 3> MissingCodecs{{
    {PictureKind::Webp, "a WebP codec, which this Windows does not have",
     "install a WebP codec for the Windows Imaging Component"},
    {PictureKind::Heic, "a HEIF codec, which this Windows does not have", "install Microsoft's HEIF Image Extensions"},
    {PictureKind::Avif, "an AVIF codec, which this Windows does not have",
     "install Microsoft's HEIF Image Extensions and an AV1 codec"},
}};
#else
constexpr std::array<MissingCodec, 2> MissingCodecs{{
    {PictureKind::Heic, "libheif (libheif.so.1), which is not installed", "install the libheif1 package"},
    {PictureKind::Avif, "libheif (libheif.so.1), which is not installed", "install the libheif1 package"},
}};
#endif

}  // namespace

Refusal CodecMissingRefusal(PictureKind kind) {
    const auto* missing = std::ranges::find(MissingCodecs, kind, &MissingCodec::kind);
    const std::string_view needs = missing != MissingCodecs.end() ? missing->needs : "a codec that is missing";
    const std::string_view wayOut = missing != MissingCodecs.end() ? missing->wayOut : "install one";
    return {Join({"This ", KindName(kind), " file needs ", needs, ": ", wayOut, ", or convert the picture to PNG first."}),
            {}};
}

Refusal TooManyColoursRefusal(std::string_view kindName, std::size_t colours) {
    return {Join({"This ", kindName, " file holds ", CountText(colours), " colours; a C64 picture holds at most ",
                  std::to_string(C64ColourCount), ". Saved lossy, its colours are near the picture's, not the same."}),
            {},
            true};
}

Refusal ImportRefusalText(const PictureImport& imported, const DecodedPicture& picture, std::string_view kindName) {
    switch (imported.refusal) {
        case ImportRefusal::Size: return SizeRefusal(kindName, picture.width, picture.height);
        case ImportRefusal::NoColourTable:
            return {
                Join({"--palette index takes the colour table indexes of a PNG or GIF as C64 colour numbers, "
                      "but this ",
                      kindName, " has no colour table: it holds RGB colours. Give --palette auto or a palette name."}),
                {}};
        case ImportRefusal::Colour: {
            Refusal refusal = ColourRefusalText(imported.colours, kindName);
            refusal.nearestMakesIt = true;
            return refusal;
        }
        case ImportRefusal::DifferingPair: return PairRefusalText(imported.pair, picture, kindName);
        case ImportRefusal::Transparent:
            return {"The picture holds transparent pixels: a C64 has no transparent colour.",
                    Join({PixelText(kindName, imported.transparent.x, imported.transparent.y), FromTheTopLeft,
                          " is the first that is not fully opaque (alpha ", std::to_string(imported.transparent.alpha),
                          " of 255); paint every pixel in a C64 colour."}),
                    true};
        case ImportRefusal::None: break;
    }
    return {};
}

}  // namespace pxm

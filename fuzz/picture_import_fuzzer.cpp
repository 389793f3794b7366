// libFuzzer target: any bytes as a PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF file, through the
// converter's decoders, the
// import in a palette choice picked from the input, the koalizations, the clash map and the
// preview; the --nearest road (any size, a JPEG decoded smaller, scaled as picked, a lossy copy of
// a C64 picture read by its colours' clusters, a screenshot's border, an enlarged picture shrunk,
// the search, a dither, the fewest changes); what --info tells of it (any file, a BMP too); and
// the size its header declares, which the Windows build reads
// before it hands the file to the Windows Imaging Component (that decoder itself cannot run here:
// the comparison under Wine meets it with damaged and cut files).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>

#include "lib/reading/picture_decoder.h"
#include "lib/reading/picture_info.h"
#include "lib/reading/picture_scaling.h"
#include "lib/output/preview_png.h"
#include "core/import/declared_size.h"
#include "core/import/picture_area.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"
#include "core/import/screenshot_border.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/koalize.h"
#include "core/koala/working_backgrounds.h"
#include "core/nearest/lossy_picture.h"
#include "core/nearest/nearest_picture.h"
#include "core/view/clash_map.h"
#include "core/view/preview.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::array<pxm::PictureKind, 6> Decoders{pxm::PictureKind::Png,  pxm::PictureKind::Gif,
                                                   pxm::PictureKind::Jpeg, pxm::PictureKind::Webp,
                                                   pxm::PictureKind::Tiff, pxm::PictureKind::Heic};

// The kinds whose size the core reads from the header (DeclaredSizeOf); the others' decoders
// read it themselves.
bool SizeDeclared(pxm::PictureKind kind) {
    return kind == pxm::PictureKind::Png || kind == pxm::PictureKind::Gif || kind == pxm::PictureKind::Jpeg;
}

// The decoder of the file's kind (PNG for any other); an odd last byte hands it to another one.
pxm::PictureKind DecoderFor(std::span<const std::uint8_t> bytes, pxm::PictureKind kind) {
    const auto* own = std::ranges::find(Decoders, kind == pxm::PictureKind::Avif ? pxm::PictureKind::Heic : kind);
    std::size_t pick = own == Decoders.end() ? 0 : static_cast<std::size_t>(own - Decoders.begin());
    if (!bytes.empty() && (bytes.back() & 1) != 0) pick += 1 + (bytes.back() >> 1 & 3);
    return Decoders[pick % Decoders.size()];
}

// The size of the file: from its header, or as its decoder reads it refusing all but C64 sizes.
std::optional<pxm::DeclaredSize> SizeOf(std::span<const std::uint8_t> bytes, pxm::PictureKind kind) {
    if (SizeDeclared(kind)) return pxm::DeclaredSizeOf(kind, bytes);
    const DecodeOutcome c64 = DecodeOfKind(kind, bytes);
    if (c64.status == DecodeOutcome::Status::Unreadable) return std::nullopt;
    return pxm::DeclaredSize{c64.picture.width, c64.picture.height};
}

// The fuzzer decodes pictures to be scaled only up to this size, for its speed.
constexpr long long MaxFuzzedPixels = 1'000'000;

// The --nearest road over a picture of any size: odd, 1x1, very wide or very tall.
void CheckNearest(std::span<const std::uint8_t> bytes, std::uint8_t pick) {
    const pxm::PictureKind kind = pxm::KindOfPicture(bytes);
    const auto declared = SizeOf(bytes, kind);
    // Past MaxFuzzedPixels only a picture brought down as it is decoded, which holds no more (a
    // PNG, GIF or JPEG; the other kinds are decoded whole).
    const long long pixels = declared ? static_cast<long long>(declared->width) * declared->height : 0;
    if (!declared || (pixels > MaxFuzzedPixels && (!SizeDeclared(kind) || pixels <= pxm::MaxWholePixels))) return;
    const auto scale = static_cast<ScaleMode>(pick % 4);
    const auto sizes = scale == ScaleMode::None ? SizesTaken::Scalable : SizesTaken::ScaledDown;
    const pxm::PictureKind decoder = DecoderFor(bytes, kind);
    const DecodeOutcome decoded = DecodeOfKind(decoder, bytes, sizes);
    if (decoded.status != DecodeOutcome::Status::Decoded) return;
    const pxm::DecodedPicture& picture = decoded.picture;
    Check(Takes(sizes, picture.width, picture.height));
    // A picture decoded smaller is its declared size divided by the reduction, still the screen's
    // size or more; one cut is the screen's top left.
    if (kind == decoder && decoded.cut) {
        Check(picture.width <= pxm::MaxPictureWidth && picture.height <= pxm::MaxPictureHeight);
    } else if (kind == decoder) {
        const auto [rx, ry] = decoded.reduction;
        Check(picture.width == (declared->width + rx - 1) / rx && picture.height == (declared->height + ry - 1) / ry);
        Check((rx == 1 && ry == 1) || (picture.width >= 320 && picture.height >= 200));
    }

    pxm::NearestTarget target;
    if (scale == ScaleMode::None) {
        const pxm::PictureArea area = pxm::AcceptedArea(picture.width, picture.height)
                                          .value_or(pxm::PictureArea{0, 0, std::min(picture.width, pxm::MaxPictureWidth),
                                                                     std::min(picture.height, pxm::MaxPictureHeight)});
        // Pixel art, when picked: colour numbers of the pixels' own (their red's low bits); else
        // those of a lossy copy, when the colours read so.
        std::vector<std::uint8_t> numbers;
        for (int y = area.top; (pick & 0x80) != 0 && y < area.top + area.height; ++y) {
            for (int x = area.left; x < area.left + area.width; ++x) numbers.push_back(picture.rgb[picture.At(x, y)].r & 15);
        }
        if ((pick & 0x80) == 0 && picture.alpha.empty()) {
            if (auto lossy = pxm::ReadLossyPicture(picture, area, {})) {
                Check(lossy->palette < pxm::C64Palettes.size());
                Check(lossy->numbers.size() == static_cast<std::size_t>(area.width) * static_cast<std::size_t>(area.height));
                Check(std::ranges::all_of(lossy->numbers, [](std::uint8_t n) { return n < 16 || n == pxm::AnyColour; }));
                numbers = std::move(lossy->numbers);
            }
        }
        if (area.left > 0) static_cast<void>(pxm::BorderIsOneColour(picture, area));
        target = pxm::TargetFromPairs(picture, area, numbers);
    } else {
        if (picture.alpha.empty() && picture.width % 2 == 0 && picture.height % 2 == 0) {
            const pxm::DecodedPicture half = ShrinkBy(picture, 2);
            Check(half.width == picture.width / 2 && half.height == picture.height / 2 &&
                  half.rgb.size() == static_cast<std::size_t>(half.width) * static_cast<std::size_t>(half.height));
        }
        const ScaledPicture scaled = ScaleToScreen(picture, scale, decoded.reduction);
        const pxm::DecodedPicture& out = scaled.picture;
        Check(out.width >= 1 && out.width <= pxm::CanvasColumns && out.height >= 1 && out.height <= pxm::CanvasRows);
        Check(out.rgb.size() == static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
        Check(scaled.left >= 0 && scaled.left + out.width <= pxm::CanvasColumns);
        Check(scaled.top >= 0 && scaled.top + out.height <= pxm::CanvasRows);
        target = pxm::TargetFromScaled(out, scaled.left, scaled.top);
    }
    const auto mode = static_cast<pxm::PaletteMode>(pick / 4 % 3);
    const pxm::NearestSettings settings{
        mode, pxm::AutoBackground,
        pxm::DitherSettings{pxm::DitherKindNames[pick / 12 % pxm::DitherKindNames.size()].value, 0.8f}};
    auto canvas = std::make_unique<pxm::Canvas>();
    auto image = std::make_unique<pxm::KoalaImage>();
    const pxm::NearestOutcome outcome =
        pxm::MakeNearestPicture(target, pxm::C64Palettes[pxm::DefaultPalette], settings, *canvas, *image);
    if (outcome.changes) Check(outcome.changes->pixels >= 0 && outcome.changes->pixels <= 32000);
    // What it made koalizes as it stands, to the same picture.
    auto again = std::make_unique<pxm::KoalaImage>();
    Check(pxm::Koalize(*canvas, *again, mode, pxm::BackgroundChoice{outcome.background}).ok());
    Check(*again == *image);
}

// --info's block: the kind, then the facts and whether it converts, or why it cannot be read.
void CheckInfo(std::span<const std::uint8_t> bytes) {
    const pxm::PictureKind kind = pxm::KindOfPicture(bytes);
    const auto declared = pxm::DeclaredSizeOf(kind, bytes);
    if (declared && static_cast<long long>(declared->width) * declared->height > MaxFuzzedPixels) return;
    InputFile input;
    input.bytes.assign(bytes.begin(), bytes.end());
    const InfoBlock block = PictureInfo(input, {});
    if (kind == pxm::PictureKind::Unknown) return Check(block.text.empty() && !block.refusal.empty());
    Check(block.text.starts_with("Kind: "));
    Check(block.refusal.empty() == (block.text.find("\nConverts: ") != std::string::npos));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CheckNearest(bytes, size > 2 ? data[size - 3] : 0);
    CheckInfo(bytes);
    // Whatever the first bytes say, every decoder meets every input.
    const pxm::PictureKind kind = pxm::KindOfPicture(bytes);
    const pxm::PictureKind decoder = DecoderFor(bytes, kind);
    const DecodeOutcome decoded = DecodeOfKind(decoder, bytes);
    const pxm::DecodedPicture& picture = decoded.picture;
    const auto declared = pxm::DeclaredSizeOf(kind, bytes);
    // A PNG, GIF or JPEG file its decoder decodes declares the size decoded, where the Windows
    // build reads it.
    if (decoded.status == DecodeOutcome::Status::Decoded && kind == decoder && SizeDeclared(kind))
        Check(declared && declared->width == picture.width && declared->height == picture.height);
    if (decoded.status != DecodeOutcome::Status::Decoded) {
        Check(picture.rgb.empty() && picture.indexes.empty());
        // A size is refused only when it is not taken; anything else unreadable says why.
        if (decoded.status == DecodeOutcome::Status::SizeRefused) {
            Check(!pxm::AcceptedArea(picture.width, picture.height));
        } else if (decoded.status == DecodeOutcome::Status::Unreadable) {
            Check(!decoded.reason.empty());
        }
        return 0;
    }
    // Memory stays bounded: nothing larger than a screenshot is ever decoded.
    Check(pxm::AcceptedArea(picture.width, picture.height).has_value());
    const auto pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    Check(picture.rgb.size() == pixels);
    Check(!picture.Indexed() || picture.indexes.size() == pixels);

    const std::uint8_t pick = size > 1 ? data[size - 2] : 0;
    pxm::PaletteChoice choice;
    if (pick % 3 == 1) choice = {pxm::PaletteChoice::Kind::Index, 0};
    if (pick % 3 == 2) choice = {pxm::PaletteChoice::Kind::Named, pick % pxm::C64Palettes.size()};

    auto canvas = std::make_unique<pxm::Canvas>();
    canvas->fill(0xA5);
    const pxm::PictureImport imported = pxm::ImportPicture(picture, decoder, choice, *canvas);
    if (imported.refusal != pxm::ImportRefusal::None) {
        for (const std::uint8_t v : *canvas) Check(v == 0xA5);
        return 0;
    }
    Check(imported.palette.has_value() == (choice.kind != pxm::PaletteChoice::Kind::Index));

    auto image = std::make_unique<pxm::KoalaImage>();
    const std::vector<std::uint8_t> working = pxm::WorkingBackgrounds(*canvas);
    const pxm::KoalizeOutcome automatic = pxm::AutoBackgroundSearch(*canvas, *image);
    // AUTO takes the lowest background that works.
    Check(automatic.autoBackground.has_value() == !working.empty());
    if (automatic.autoBackground) Check(*automatic.autoBackground == working.front());
    if (!automatic.autoBackground && !pxm::KoalizeFiveGreys(*canvas, *image).ok()) return 0;

    // The clash map of the picture as read: as large as the file or 320x200, framed where AUTO fails.
    const pxm::Clashes clashes = pxm::FindClashes(*canvas, pxm::PaletteMode::Multicolour, pxm::AutoBackground);
    const pxm::C64Palette& palette = pxm::C64Palettes[imported.palette.value_or(pxm::DefaultPalette)];
    pxm::RgbPicture map = pxm::PictureAsRead(*canvas, palette, &picture);
    Check(map.pixels.size() == static_cast<std::size_t>(map.width) * static_cast<std::size_t>(map.height));
    pxm::FrameCells(map, clashes.cells, pxm::UnusedColour(map));

    auto preview = std::make_unique<pxm::PreviewPixels>();
    pxm::RenderPreview(*image, pxm::C64Palettes[imported.palette.value_or(pxm::DefaultPalette)], *preview);
    const EncodedPng png = EncodePreviewPng(*preview);
    Check(png.error.empty() && !png.bytes.empty());
    // The preview reads back as what it shows.
    const DecodeOutcome again = DecodePng(png.bytes);
    Check(again.status == DecodeOutcome::Status::Decoded && again.picture.width == pxm::PreviewWidth);
    Check(std::equal(again.picture.rgb.begin(), again.picture.rgb.end(), preview->begin()));
    return 0;
}

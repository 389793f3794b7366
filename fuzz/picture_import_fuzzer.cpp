// libFuzzer target: any bytes as a PNG, GIF or JPEG file, through the converter's decoders, the
// import in a palette choice picked from the input, the koalizations, the clash map and the
// preview; and the size its header declares, which the Windows build reads before it hands the
// file to the Windows Imaging Component (that decoder itself cannot run here: the comparison
// under Wine meets it with damaged and cut files).
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "cli/picture_decoder.h"
#include "cli/preview_png.h"
#include "core/import/declared_size.h"
#include "core/import/picture_area.h"
#include "core/import/picture_import.h"
#include "core/import/picture_kind.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/koalize.h"
#include "core/koala/working_backgrounds.h"
#include "core/view/clash_map.h"
#include "core/view/preview.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::array<pxm::PictureKind, 3> Decoders{pxm::PictureKind::Png, pxm::PictureKind::Gif,
                                                   pxm::PictureKind::Jpeg};

// The decoder of the file's kind (PNG for any other); an odd last byte hands it to another one.
pxm::PictureKind DecoderFor(std::span<const std::uint8_t> bytes, pxm::PictureKind kind) {
    std::size_t pick = kind == pxm::PictureKind::Gif ? 1 : kind == pxm::PictureKind::Jpeg ? 2 : 0;
    if (!bytes.empty() && (bytes.back() & 1) != 0) pick += 1 + (bytes.back() >> 1 & 1);
    return Decoders[pick % Decoders.size()];
}

pxm::cli::DecodeOutcome Decode(std::span<const std::uint8_t> bytes, pxm::PictureKind decoder) {
    switch (decoder) {
        case pxm::PictureKind::Gif: return pxm::cli::DecodeGif(bytes);
        case pxm::PictureKind::Jpeg: return pxm::cli::DecodeJpeg(bytes);
        case pxm::PictureKind::Png:
        case pxm::PictureKind::Bmp:
        case pxm::PictureKind::Unknown: break;
    }
    return pxm::cli::DecodePng(bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // Whatever the first bytes say, every decoder meets every input.
    const pxm::PictureKind kind = pxm::KindOfPicture(bytes);
    const pxm::PictureKind decoder = DecoderFor(bytes, kind);
    const pxm::cli::DecodeOutcome decoded = Decode(bytes, decoder);
    const pxm::DecodedPicture& picture = decoded.picture;
    const auto declared = pxm::DeclaredSizeOf(kind, bytes);
    // A file libpng, giflib or libjpeg decodes declares the size they decoded, where the Windows
    // build reads it.
    if (decoded.status == pxm::cli::DecodeOutcome::Status::Decoded && kind == decoder)
        Check(declared && declared->width == picture.width && declared->height == picture.height);
    if (decoded.status != pxm::cli::DecodeOutcome::Status::Decoded) {
        Check(picture.rgb.empty() && picture.indexes.empty());
        // A size is refused only when it is not taken; anything else unreadable says why.
        if (decoded.status == pxm::cli::DecodeOutcome::Status::SizeRefused) {
            Check(!pxm::AcceptedArea(picture.width, picture.height));
        } else {
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
    const pxm::cli::EncodedPng png = pxm::cli::EncodePreviewPng(*preview);
    Check(png.error.empty() && !png.bytes.empty());
    // The preview reads back as what it shows.
    const pxm::cli::DecodeOutcome again = pxm::cli::DecodePng(png.bytes);
    Check(again.status == pxm::cli::DecodeOutcome::Status::Decoded && again.picture.width == pxm::PreviewWidth);
    Check(std::equal(again.picture.rgb.begin(), again.picture.rgb.end(), preview->begin()));
    return 0;
}

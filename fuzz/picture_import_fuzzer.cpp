// libFuzzer target: a PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF file (or any bytes) after the
// choice bytes (fuzz/conversion_choice.h), through the one conversion they pick at the library's
// front door: the decoders, the import in the palette picked, the koalizations, the clash map,
// the preview, or the --nearest road (any size, a JPEG decoded smaller, a picture brought down
// as it is decoded, the scaling, the search and the dither picked). An input that picks --info,
// which converts nothing, also meets a decoder as it stands: its own, or another when the file's
// last byte is odd; and the size a PNG, GIF or JPEG header declares, which the Windows build reads
// before it hands the file to the Windows Imaging Component, is the size decoded.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/import/declared_size.h"
#include "core/import/picture_area.h"
#include "core/import/picture_kind.h"
#include "fuzz/conversion_run.h"
#include "lib/reading/picture_decoder.h"

namespace {

using pxm::fuzz::Check;

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

void CheckDecoder(std::span<const std::uint8_t> bytes) {
    const pxm::PictureKind kind = pxm::KindOfPicture(bytes);
    const pxm::PictureKind decoder = DecoderFor(bytes, kind);
    const pxm::DecodeOutcome decoded = pxm::DecodeOfKind(decoder, bytes);
    const pxm::DecodedPicture& picture = decoded.picture;
    if (decoded.status != pxm::DecodeOutcome::Status::Decoded) {
        Check(picture.rgb.empty() && picture.indexes.empty());
        // A size is refused only when it is not taken; anything else unreadable says why.
        if (decoded.status == pxm::DecodeOutcome::Status::SizeRefused) Check(!pxm::AcceptedArea(picture.width, picture.height));
        if (decoded.status == pxm::DecodeOutcome::Status::Unreadable) Check(!decoded.reason.empty());
        return;
    }
    if (kind == decoder && SizeDeclared(kind)) {
        const auto declared = pxm::DeclaredSizeOf(kind, bytes);
        Check(declared && declared->width == picture.width && declared->height == picture.height);
    }
    // Memory stays bounded: nothing larger than a screenshot is ever decoded.
    Check(pxm::AcceptedArea(picture.width, picture.height).has_value());
    const auto pixels = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    Check(picture.rgb.size() == pixels && (!picture.Indexed() || picture.indexes.size() == pixels));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<pxm::fuzz::ChosenRun> run = pxm::fuzz::ChosenRunOf(data, size, pxm::fuzz::PictureDimensions());
    if (!run) return 0;
    const std::span<const std::uint8_t> bytes = run->file;
    if (run->options.info) CheckDecoder(bytes);
    pxm::fuzz::RunConversion(*run);
    return 0;
}

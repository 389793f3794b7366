#include "core/import/picture_kind.h"

#include <array>

#include "core/base/byte_reader.h"
#include "core/import/heif_brands.h"

namespace pxm {

namespace {

using namespace std::string_view_literals;

// Bytes a kind's files hold at a place from their start.
struct Mark {
    std::size_t at = 0;
    std::string_view bytes;
};

// A kind's marks; a second mark of no bytes is none.
struct Signature {
    Mark mark;
    PictureKind kind;
    Mark also{};
};

constexpr std::array<Signature, 9> Signatures{{
    {{0, "BM"}, PictureKind::Bmp},
    {{0, "\x89PNG\r\n\x1A\n"}, PictureKind::Png},
    {{0, "GIF87a"}, PictureKind::Gif},
    {{0, "GIF89a"}, PictureKind::Gif},
    {{0, "\xFF\xD8\xFF"}, PictureKind::Jpeg},  // start of image, then the first marker
    {{0, "RIFF"}, PictureKind::Webp, {8, "WEBP"}},  // the RIFF chunk's length between them
    {{0, "II*\0"sv}, PictureKind::Tiff},  // Intel byte order, then the number 42
    {{0, "MM\0*"sv}, PictureKind::Tiff},  // Motorola byte order
    {{4, "ftyp"}, PictureKind::Heic},  // an ISO media file: which one, its brands tell
}};

bool HasMark(Bytes bytes, const Mark& mark) { return HoldsText(bytes, mark.at, mark.bytes); }

}  // namespace

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes) {
    for (const Signature& signature : Signatures) {
        if (!HasMark(firstBytes, signature.mark) || !HasMark(firstBytes, signature.also)) continue;
        return signature.kind == PictureKind::Heic ? HeifKindOf(firstBytes) : signature.kind;
    }
    return PictureKind::Unknown;
}

std::string_view KindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Bmp: return "BMP";
        case PictureKind::Png: return "PNG";
        case PictureKind::Gif: return "GIF";
        case PictureKind::Jpeg: return "JPEG";
        case PictureKind::Webp: return "WebP";
        case PictureKind::Tiff: return "TIFF";
        case PictureKind::Heic: return "HEIC";
        case PictureKind::Avif: return "AVIF";
        case PictureKind::Unknown: break;
    }
    return {};
}

}  // namespace pxm

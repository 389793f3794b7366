#include "core/import/picture_kind.h"

#include <algorithm>
#include <array>

#include "core/base/byte_reader.h"

namespace pxm {

namespace {

struct Signature {
    std::string_view bytes;
    PictureKind kind;
};

constexpr std::array<Signature, 5> Signatures{{
    {"BM", PictureKind::Bmp},
    {"\x89PNG\r\n\x1A\n", PictureKind::Png},
    {"GIF87a", PictureKind::Gif},
    {"GIF89a", PictureKind::Gif},
    {"\xFF\xD8\xFF", PictureKind::Jpeg},  // start of image, then the first marker
}};

bool StartsWith(Bytes bytes, std::string_view magic) {
    const std::optional<Bytes> start = FieldOf(bytes, {0, magic.size()});
    return start && std::equal(magic.begin(), magic.end(), start->begin(),
                               [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

}  // namespace

PictureKind KindOfPicture(std::span<const std::uint8_t> firstBytes) {
    for (const Signature& signature : Signatures) {
        if (StartsWith(firstBytes, signature.bytes)) return signature.kind;
    }
    return PictureKind::Unknown;
}

std::string_view KindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::Bmp: return "BMP";
        case PictureKind::Png: return "PNG";
        case PictureKind::Gif: return "GIF";
        case PictureKind::Jpeg: return "JPEG";
        case PictureKind::Unknown: break;
    }
    return {};
}

}  // namespace pxm

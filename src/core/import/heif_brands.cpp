#include "core/import/heif_brands.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/base/byte_reader.h"

namespace pxm {

namespace {

// The file type box: its length (big-endian, the box's header included), "ftyp", the major
// brand, a minor version, then compatible brands to the box's end.
constexpr std::size_t BoxLengthAt = 0;
constexpr std::size_t MajorBrandAt = 8;
constexpr std::size_t CompatibleBrandsAt = 16;
constexpr std::size_t BrandLength = 4;

struct Brand {
    std::string_view name;
    PictureKind kind;
};

// An AV1 brand anywhere makes the file AVIF (AVIF files may name the general "mif1" first);
// otherwise one of HEVC's or the general image brands makes it HEIC.
constexpr std::array<Brand, 10> Brands{{
    {"avif", PictureKind::Avif},
    {"avis", PictureKind::Avif},
    {"heic", PictureKind::Heic},
    {"heix", PictureKind::Heic},
    {"heim", PictureKind::Heic},
    {"heis", PictureKind::Heic},
    {"hevc", PictureKind::Heic},
    {"hevx", PictureKind::Heic},
    {"mif1", PictureKind::Heic},
    {"msf1", PictureKind::Heic},
}};

// The major brand, then the compatible ones: the minor version between them is no brand.
constexpr std::size_t NextBrandAt(std::size_t at) { return at == MajorBrandAt ? CompatibleBrandsAt : at + BrandLength; }

PictureKind KindOfBrandAt(Bytes file, std::size_t at) {
    const auto* found = std::ranges::find_if(Brands, [&](const Brand& b) { return HoldsText(file, at, b.name); });
    return found == Brands.end() ? PictureKind::Unknown : found->kind;
}

}  // namespace

PictureKind HeifKindOf(std::span<const std::uint8_t> file) {
    const std::optional<std::uint32_t> boxLength = BigLongAt(file, BoxLengthAt);
    if (!boxLength) return PictureKind::Unknown;
    const std::size_t end = std::min<std::size_t>(*boxLength, file.size());
    PictureKind kind = PictureKind::Unknown;
    for (std::size_t at = MajorBrandAt; at + BrandLength <= end; at = NextBrandAt(at)) {
        const PictureKind brandKind = KindOfBrandAt(file, at);
        if (brandKind == PictureKind::Avif) return brandKind;
        if (brandKind != PictureKind::Unknown) kind = brandKind;
    }
    return kind;
}

}  // namespace pxm

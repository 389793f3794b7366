#include "core/import/declared_size.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "core/base/byte_reader.h"

#include "core/import/jpeg_size.h"

namespace pxm {

namespace {

// The PNG header chunk follows the 8-byte signature: length, "IHDR", width, height (big-endian).
constexpr Field PngChunkType{12, 4};
constexpr std::size_t PngWidthAt = 16;
constexpr std::size_t PngHeightAt = 20;
constexpr std::string_view HeaderChunk = "IHDR";
// The GIF logical screen follows the 6-byte signature: width, height (little-endian, 16 bits).
constexpr std::size_t GifWidthAt = 6;
constexpr std::size_t GifHeightAt = 8;

std::optional<DeclaredSize> PngSize(Bytes file) {
    const std::optional<Bytes> type = FieldOf(file, PngChunkType);
    const std::optional<std::uint32_t> width = BigLongAt(file, PngWidthAt);
    const std::optional<std::uint32_t> height = BigLongAt(file, PngHeightAt);
    if (!type || !width || !height || !std::equal(type->begin(), type->end(), HeaderChunk.begin(), HeaderChunk.end()))
        return std::nullopt;
    constexpr auto Largest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    if (*width > Largest || *height > Largest) return std::nullopt;
    return DeclaredSize{static_cast<int>(*width), static_cast<int>(*height)};
}

std::optional<DeclaredSize> GifSize(Bytes file) {
    const std::optional<std::uint16_t> width = WordAt(file, GifWidthAt);
    const std::optional<std::uint16_t> height = WordAt(file, GifHeightAt);
    if (!width || !height) return std::nullopt;
    return DeclaredSize{*width, *height};
}

}  // namespace

std::optional<DeclaredSize> DeclaredSizeOf(PictureKind kind, std::span<const std::uint8_t> file) {
    switch (kind) {
        case PictureKind::Png: return PngSize(file);
        case PictureKind::Gif: return GifSize(file);
        case PictureKind::Jpeg:
            if (const auto frame = JpegDeclaredSize(file)) return DeclaredSize{frame->width, frame->height};
            return std::nullopt;
        case PictureKind::Webp:
        case PictureKind::Tiff:
        case PictureKind::Heic:
        case PictureKind::Avif:
        case PictureKind::Bmp:
        case PictureKind::Unknown: break;
    }
    return std::nullopt;
}

}  // namespace pxm

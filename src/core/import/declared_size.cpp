#include "core/import/declared_size.h"

#include <limits>

#include "core/import/jpeg_size.h"

namespace pxm {

namespace {

// The PNG header chunk follows the 8-byte signature: length, "IHDR", width, height (big-endian).
constexpr std::size_t PngTypeAt = 12;
constexpr std::size_t PngWidthAt = 16;
constexpr std::size_t PngHeightAt = 20;
// The GIF logical screen follows the 6-byte signature: width, height (little-endian, 16 bits).
constexpr std::size_t GifWidthAt = 6;
constexpr std::size_t GifHeightAt = 8;

std::uint32_t BigEndian32(std::span<const std::uint8_t> file, std::size_t at) {
    return static_cast<std::uint32_t>(file[at]) << 24 | static_cast<std::uint32_t>(file[at + 1]) << 16 |
           static_cast<std::uint32_t>(file[at + 2]) << 8 | file[at + 3];
}

int LittleEndian16(std::span<const std::uint8_t> file, std::size_t at) { return file[at] | file[at + 1] << 8; }

std::optional<DeclaredSize> PngSize(std::span<const std::uint8_t> file) {
    if (file.size() < PngHeightAt + 4) return std::nullopt;
    if (file[PngTypeAt] != 'I' || file[PngTypeAt + 1] != 'H' || file[PngTypeAt + 2] != 'D' || file[PngTypeAt + 3] != 'R')
        return std::nullopt;
    constexpr auto Largest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
    const std::uint32_t width = BigEndian32(file, PngWidthAt);
    const std::uint32_t height = BigEndian32(file, PngHeightAt);
    if (width > Largest || height > Largest) return std::nullopt;
    return DeclaredSize{static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

std::optional<DeclaredSize> DeclaredSizeOf(PictureKind kind, std::span<const std::uint8_t> file) {
    switch (kind) {
        case PictureKind::Png: return PngSize(file);
        case PictureKind::Gif:
            if (file.size() < GifHeightAt + 2) return std::nullopt;
            return DeclaredSize{LittleEndian16(file, GifWidthAt), LittleEndian16(file, GifHeightAt)};
        case PictureKind::Jpeg:
            if (const auto frame = JpegDeclaredSize(file)) return DeclaredSize{frame->width, frame->height};
            return std::nullopt;
        case PictureKind::Bmp: break;
    }
    return std::nullopt;
}

}  // namespace pxm

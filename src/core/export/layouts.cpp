#include "core/export/layouts.h"

#include <algorithm>

namespace pxm {

namespace {

constexpr std::size_t BitmapBytes = 8000;
constexpr std::size_t CellBytes = 1000;

void Copy(const KoalaImage& image, std::size_t from, std::size_t count, PictureData& block, std::size_t to) {
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, block.bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

void Start(PictureData& block, std::size_t size) {
    block.size = size;
    std::fill_n(block.bytes.begin(), size, std::uint8_t{0});
}

// Bitmap first, screen and colour at the given places.
void PlaceCells(const KoalaImage& image, PictureData& block, std::size_t screenAt, std::size_t colourAt) {
    Copy(image, KoalaBitmapOffset, BitmapBytes, block, 0);
    Copy(image, KoalaScreenOffset, CellBytes, block, screenAt);
    Copy(image, KoalaColourOffset, CellBytes, block, colourAt);
}

void PlaceBackground(PictureData& block, std::uint8_t value, std::size_t first) {
    block.bytes[first] = value;
    block.bytes[first + 1] = value;
}

std::uint8_t Background(const KoalaImage& image) { return image[KoalaBackgroundOffset]; }

}  // namespace

void BuildArtStudioLayout(const KoalaImage& image, PictureData& block) {
    Start(block, ArtStudioSize);
    PlaceCells(image, block, 8000, 9016);
    PlaceBackground(block, Background(image) | 0xF0, 9000);
}

void BuildArtist64Layout(const KoalaImage& image, PictureData& block) {
    Start(block, Artist64Size);
    PlaceCells(image, block, 8192, 9216);
    PlaceBackground(block, Background(image) & 0x0F, 10238);
}

void BuildBlazingPaddlesLayout(const KoalaImage& image, PictureData& block) {
    Start(block, BlazingPaddlesSize);
    PlaceCells(image, block, 8192, 9216);
    PlaceBackground(block, Background(image) | 0xF0, 8063);
}

}  // namespace pxm

#include "core/export/layouts.h"

#include <algorithm>

namespace pxm {

namespace {

void Copy(const KoalaImage& image, std::size_t from, std::size_t count, PictureData& block, std::size_t to) {
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(from), count, block.bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

}  // namespace

void BuildLayout(const KoalaImage& image, const PictureLayout& layout, PictureData& block) {
    block.size = layout.size;
    std::fill_n(block.bytes.begin(), layout.size, std::uint8_t{0});
    Copy(image, KoalaBitmapOffset, BitmapBytes, block, layout.bitmapAt);
    Copy(image, KoalaScreenOffset, CellBytes, block, layout.screenAt);
    Copy(image, KoalaColourOffset, CellBytes, block, layout.colourAt);
    const auto background = static_cast<std::uint8_t>(layout.backgroundHigh | (image[KoalaBackgroundOffset] & 0x0F));
    std::fill_n(block.bytes.begin() + static_cast<std::ptrdiff_t>(layout.backgroundAt), layout.backgroundCount, background);
}

}  // namespace pxm

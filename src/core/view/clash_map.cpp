#include "core/view/clash_map.h"

#include <array>

#include "core/import/picture_area.h"
#include "core/koala/cell_pixels.h"

namespace pxm {

namespace {

constexpr int CellSize = 8;  // file pixels: 4 double-wide pixels by 8 rows

// Tried in turn: colours no C64 palette comes near, which stand out on any C64 picture.
constexpr std::array<Rgb, 6> FrameColours{
    {{255, 0, 255}, {0, 255, 0}, {255, 255, 0}, {0, 255, 255}, {255, 0, 0}, {0, 0, 255}}};

}  // namespace

RgbPicture PictureAsRead(const Canvas& canvas, const C64Palette& palette, const DecodedPicture* decoded) {
    RgbPicture picture;
    if (decoded != nullptr && decoded->width == ScreenshotWidth && decoded->height == ScreenshotHeight) {
        picture = {decoded->width, decoded->height, decoded->rgb, ScreenshotLeft, ScreenshotTop};
        return picture;
    }
    picture.width = MaxPictureWidth;
    picture.height = MaxPictureHeight;
    picture.pixels.resize(static_cast<std::size_t>(MaxPictureWidth) * MaxPictureHeight);
    for (int y = 0; y < MaxPictureHeight; ++y) {
        for (int x = 0; x < MaxPictureWidth; ++x)
            picture.At(x, y) = palette.colours[canvas[CanvasIndex(x / 2, y)] & 15u];
    }
    if (decoded == nullptr) return picture;
    for (int y = 0; y < decoded->height; ++y) {
        for (int x = 0; x < decoded->width; ++x) picture.At(x, y) = decoded->rgb[decoded->At(x, y)];
    }
    return picture;
}

Rgb UnusedColour(const RgbPicture& picture) {
    std::array<bool, FrameColours.size()> taken{};
    for (const Rgb c : picture.pixels) {
        for (std::size_t i = 0; i < FrameColours.size(); ++i) taken[i] = taken[i] || c == FrameColours[i];
    }
    for (std::size_t i = 0; i < FrameColours.size(); ++i) {
        if (!taken[i]) return FrameColours[i];
    }
    // A picture of every one of those colours: the first colour it leaves out, from magenta on.
    std::vector<bool> used(std::size_t{1} << 24);
    for (const Rgb c : picture.pixels) used[Packed(c)] = true;
    std::uint32_t packed = Packed(FrameColours[0]);
    while (used[packed]) packed = (packed + 1) & 0xFFFFFF;
    return {static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
            static_cast<std::uint8_t>(packed)};
}

void FrameCells(RgbPicture& picture, const CellSet& cells, Rgb frame) {
    for (int cell = 0; cell < CellCount; ++cell) {
        if (!cells[static_cast<std::size_t>(cell)]) continue;
        const int left = picture.cellsLeft + CellSize * CellColumnOf(cell);
        const int top = picture.cellsTop + CellSize * CellRowOf(cell);
        for (int k = 0; k < CellSize; ++k) {
            picture.At(left + k, top) = frame;
            picture.At(left + k, top + CellSize - 1) = frame;
            picture.At(left, top + k) = frame;
            picture.At(left + CellSize - 1, top + k) = frame;
        }
    }
}

}  // namespace pxm

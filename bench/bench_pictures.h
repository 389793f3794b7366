#pragma once
// The pictures the benchmarks work on: the heaviest cases each routine meets.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"
#include "tests/support/bmp_builder.h"
#include "tests/support/jpeg_builder.h"
#include "tests/support/png_builder.h"

namespace pxm::bench {

// Colours 1, 2, 3 besides background 0 in every cell, each cell in a different order, so that
// every cell changes the slots the one before left.
inline std::unique_ptr<Canvas> AllSlotsCanvas() {
    auto canvas = std::make_unique<Canvas>();
    for (int x = 0; x < CanvasColumns; ++x) {
        for (int y = 0; y < CanvasRows; ++y) {
            const int cell = (y / 8) * 40 + x / 4;
            const int colours[3] = {1 + cell % 13, 2 + (cell * 7) % 13, 3 + (cell * 5) % 12};
            const int k = (x + y) % 4;
            (*canvas)[CanvasIndex(x, y)] = static_cast<std::uint8_t>(k == 3 ? 0 : colours[k]);
        }
    }
    return canvas;
}

// AUTO's worst case: only background 15 works, and every other background fails only in the
// last five cells, so all sixteen runs walk (nearly) the whole picture.
inline std::unique_ptr<Canvas> OnlyLastBackgroundCanvas() {
    static constexpr int Sets[5][4] = {{15, 1, 2, 3}, {15, 4, 5, 6}, {15, 7, 8, 9}, {15, 10, 11, 12}, {15, 13, 14, 0}};
    auto canvas = std::make_unique<Canvas>();
    for (int x = 0; x < CanvasColumns; ++x) {
        for (int y = 0; y < CanvasRows; ++y) {
            const int cell = (y / 8) * 40 + x / 4;
            const int k = (x + y) % 4;
            int value;
            if (cell >= CellCount - 5) {
                value = Sets[cell - (CellCount - 5)][k];
            } else {
                // Light grey and two more colours: fine under any background.
                value = k < 2 ? 15 : 1 + (cell + k) % 14;
            }
            (*canvas)[CanvasIndex(x, y)] = static_cast<std::uint8_t>(value);
        }
    }
    return canvas;
}

// The four grey levels dithered, with white where a cell leaves out a grey level.
inline std::unique_ptr<Canvas> FiveGreyCanvas() {
    auto canvas = std::make_unique<Canvas>();
    for (int x = 0; x < CanvasColumns; ++x) {
        for (int y = 0; y < CanvasRows; ++y) {
            const int cell = (y / 8) * 40 + x / 4;
            static constexpr std::uint8_t WithWhite[4] = {0, 1, 12, 15};
            static constexpr std::uint8_t AllGreys[4] = {0, 11, 12, 15};
            (*canvas)[CanvasIndex(x, y)] = (cell % 2 ? WithWhite : AllGreys)[(x + 2 * y) % 4];
        }
    }
    return canvas;
}

// A picture with little repetition, so the packer emits mostly literal blocks with short runs.
inline std::unique_ptr<KoalaImage> BusyImage() {
    auto image = std::make_unique<KoalaImage>();
    std::uint32_t state = 12345;
    for (auto& byte : *image) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        // Now and then a few equal bytes, as real pictures have.
        byte = (state >> 24) < 40 ? 0 : static_cast<std::uint8_t>(state);
    }
    (*image)[KoalaBackgroundOffset] = 0;
    return image;
}

inline std::vector<std::uint8_t> AllSlotsBmp(int bitsPerPixel) {
    const auto canvas = AllSlotsCanvas();
    return test::MakeBmp({.bitsPerPixel = bitsPerPixel},
                         [&](int x, int y) { return (*canvas)[CanvasIndex(x / 2, y)]; });
}

// The same picture in pepto's RGB (or the colours given; 0xRRGGBB of file pixel x, y), 320x200,
// or as an emulator screenshot of 384x272 with the picture at 32,35 inside a light blue border.
inline std::function<std::uint32_t(int, int)> AllSlotsRgb(
    bool screenshot, const std::array<Rgb, 16>& colours = C64Palettes[DefaultPalette].colours) {
    std::shared_ptr<const Canvas> canvas = AllSlotsCanvas();
    const int left = screenshot ? 32 : 0;
    const int top = screenshot ? 35 : 0;
    return [canvas, left, top, colours](int x, int y) {
        const bool inside = x >= left && x < left + 320 && y >= top && y < top + 200;
        const std::uint8_t number = inside ? (*canvas)[CanvasIndex((x - left) / 2, y - top)] : 14;
        return Packed(colours[number]);
    };
}

inline std::vector<std::uint8_t> AllSlotsPng(bool screenshot,
                                             const std::array<Rgb, 16>& colours = C64Palettes[DefaultPalette].colours) {
    return test::MakePng({.width = screenshot ? 384 : 320, .height = screenshot ? 272 : 200},
                         AllSlotsRgb(screenshot, colours));
}

// The screenshot as a JPEG saved lossy, as emulators and paint programs save one (quality 90,
// chroma halved both ways), baseline or progressive.
inline std::vector<std::uint8_t> AllSlotsJpegScreenshot(bool progressive) {
    return test::MakeJpeg({.width = 384, .height = 272, .progressive = progressive}, AllSlotsRgb(true));
}

// A photograph's pixels: smooth shapes with a grain of +-12 in every channel, so that a file of
// them is as long as a real photograph's, not a few hundred KB.
inline std::function<std::uint32_t(int, int)> CameraPhoto() {
    return [grain = std::uint32_t{12345}](int x, int y) mutable {
        std::uint32_t pixel = 0;
        for (const int phase : {3, 19, 41}) {
            grain = grain * 1664525u + 1013904223u;
            const int noise = static_cast<int>(grain >> 27) - 12 + static_cast<int>(grain >> 20 & 1);
            const int smooth = 128 + (((x * phase / 97) ^ (y * 7 / (phase + 5))) & 63) + ((x + y * phase) >> 6) % 48;
            pixel = pixel << 8 | static_cast<std::uint32_t>(std::clamp(smooth + noise, 0, 255));
        }
        return pixel;
    };
}

// A camera's 12 megapixels (4000x3000) at quality 90 (about 5 MB).
inline std::vector<std::uint8_t> CameraJpeg12Megapixels() {
    return test::MakeJpeg({.width = 4000, .height = 3000, .quality = 90}, CameraPhoto());
}

// A phone's 50 megapixels (8160x6120) at quality 90, baseline as phones save them.
inline std::vector<std::uint8_t> PhoneJpeg50Megapixels() {
    return test::MakeJpeg({.width = 8160, .height = 6120, .quality = 90}, CameraPhoto());
}

// A camera's 24 megapixels (6000x4000) as an RGB PNG.
inline std::vector<std::uint8_t> CameraPng24Megapixels() {
    return test::MakePng({.width = 6000, .height = 4000}, CameraPhoto());
}

}  // namespace pxm::bench

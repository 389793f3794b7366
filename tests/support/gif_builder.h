#pragma once
// Builds GIF files in memory for tests, written with giflib: a logical screen with a global
// colour table, a first image that may be smaller, interlaced or carry its own table, and
// more frames after it.
#include <gif_lib.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/palette/rgb.h"

namespace pxm::test {

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = -1;  // -1: the screen's
    int height = -1;
    bool interlaced = false;
    std::vector<Rgb> table{};  // a local colour table; empty: none
};

struct GifShape {
    int width = 320;
    int height = 200;
    std::vector<Rgb> table{};  // the global colour table (a power of two, 2..256 entries); empty: none
    int background = 0;        // index of the screen's background colour
    std::vector<GifFrame> frames{GifFrame{}};
};

namespace detail {

inline int AppendGif(GifFileType* gif, const GifByteType* data, int length) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    bytes->insert(bytes->end(), data, data + length);
    return length;
}

struct GifColourMap {
    explicit GifColourMap(const std::vector<Rgb>& table) {
        if (table.empty()) return;
        std::vector<GifColorType> colours;
        for (const Rgb c : table) colours.push_back({c.r, c.g, c.b});
        map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    }
    ~GifColourMap() { GifFreeMapObject(map); }
    GifColourMap(const GifColourMap&) = delete;
    GifColourMap& operator=(const GifColourMap&) = delete;
    ColorMapObject* map = nullptr;
};

}  // namespace detail

// pixel(frame, x, y): the index at pixel x, y of that frame (frame coordinates).
inline std::vector<std::uint8_t> MakeGif(const GifShape& shape, const std::function<int(int, int, int)>& pixel) {
    std::vector<std::uint8_t> bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, detail::AppendGif, &error);
    if (gif == nullptr) return {};
    EGifSetGifVersion(gif, true);
    const detail::GifColourMap global(shape.table);
    bool ok = EGifPutScreenDesc(gif, shape.width, shape.height, 8, shape.background, global.map) == GIF_OK;
    for (std::size_t f = 0; ok && f < shape.frames.size(); ++f) {
        const GifFrame& frame = shape.frames[f];
        const int width = frame.width < 0 ? shape.width : frame.width;
        const int height = frame.height < 0 ? shape.height : frame.height;
        const detail::GifColourMap local(frame.table);
        if (local.map == nullptr && gif->Image.ColorMap != nullptr) {
            // giflib would drop the table of the frame before without freeing it.
            GifFreeMapObject(gif->Image.ColorMap);
            gif->Image.ColorMap = nullptr;
        }
        ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, width, height, frame.interlaced, local.map) == GIF_OK;
        // An interlaced image is stored every 8th row first, then the 4th, the 2nd and the rest.
        std::vector<int> order;
        constexpr std::array<int, 4> Start{0, 4, 2, 1};
        constexpr std::array<int, 4> Step{8, 8, 4, 2};
        for (std::size_t pass = 0; pass < (frame.interlaced ? 4u : 1u); ++pass) {
            for (int y = frame.interlaced ? Start[pass] : 0; y < height; y += frame.interlaced ? Step[pass] : 1)
                order.push_back(y);
        }
        std::vector<GifPixelType> line(static_cast<std::size_t>(width));
        for (const int y : order) {
            for (int x = 0; x < width; ++x)
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(pixel(static_cast<int>(f), x, y));
            ok = ok && EGifPutLine(gif, line.data(), width) == GIF_OK;
        }
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok ? bytes : std::vector<std::uint8_t>{};
}

}  // namespace pxm::test

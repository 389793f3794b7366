#include "lib/reading/picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Debian's libstb-dev (stb_image_resize v0.97): the implementation is compiled here, once.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

#include "core/import/canvas.h"

namespace pxm {

namespace {

// A PAL C64 pixel (320 across the screen) is 0.9365 as wide as it is tall: the PAL square-pixel
// clock of 7.375 MHz against the VIC-II's 7.882 MHz gives 0.93568 across, its 15.639 kHz lines
// against PAL's 15.625 kHz 0.99911 down (codebase64, "Pixel Aspect Ratio", also shipped with
// VICE as doc/pixel_aspect.txt). A multicolour pixel is two of them.
constexpr double PalPixelAspect = 0.9365;
constexpr double MulticolourPixelWidth = 2.0 * PalPixelAspect;
constexpr double ScreenWidth = CanvasColumns * MulticolourPixelWidth;  // in pixel heights
constexpr double ScreenHeight = CanvasRows;

int Rounded(double v, int most) { return std::clamp(static_cast<int>(std::lround(v)), 1, most); }

// The part of the picture shown, as fractions of its width and height.
struct ShownPart {
    double s0 = 0;
    double t0 = 0;
    double s1 = 1;
    double t1 = 1;
};

// Rows of channels bytes a pixel (RGB, or RGBA whose alpha weighs the colours); false when the
// resizer could not (out of memory).
bool Resize(const std::uint8_t* from, int width, int height, std::uint8_t* to, int toWidth, int toHeight, int channels,
            const ShownPart& part, stbir_filter filter = STBIR_FILTER_DEFAULT) {
    // sRGB in, sRGB out: the filter itself runs in linear light.
    return stbir_resize_region(from, width, height, width * channels, to, toWidth, toHeight, toWidth * channels,
                               STBIR_TYPE_UINT8, channels, channels == 4 ? 3 : STBIR_ALPHA_CHANNEL_NONE, 0,
                               STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP, filter, filter,
                               STBIR_COLORSPACE_SRGB, nullptr, static_cast<float>(part.s0), static_cast<float>(part.t0),
                               static_cast<float>(part.s1), static_cast<float>(part.t1)) != 0;
}

bool AllOpaque(const DecodedPicture& picture) {
    return std::ranges::all_of(picture.alpha, [](std::uint8_t a) { return a == 255; });
}

}  // namespace

ScaledPicture ScaleToScreen(const DecodedPicture& picture, ScaleMode mode, BoxFactors reduction) {
    const double width = static_cast<double>(picture.width) * reduction.x;
    const double height = static_cast<double>(picture.height) * reduction.y;
    // The part of the picture shown and the size it takes on the screen.
    ShownPart part;
    ScaledPicture scaled;
    DecodedPicture& out = scaled.picture;
    out.width = CanvasColumns;
    out.height = CanvasRows;
    if (mode == ScaleMode::Fit) {
        const double scale = std::min(ScreenWidth / width, ScreenHeight / height);
        out.width = Rounded(width * scale / MulticolourPixelWidth, CanvasColumns);
        out.height = Rounded(height * scale, CanvasRows);
        scaled.left = (CanvasColumns - out.width) / 2;
        scaled.top = (CanvasRows - out.height) / 2;
    } else if (mode == ScaleMode::Fill) {
        const double scale = std::max(ScreenWidth / width, ScreenHeight / height);
        const double shownWidth = std::min(1.0, ScreenWidth / scale / width);
        const double shownHeight = std::min(1.0, ScreenHeight / scale / height);
        part.s0 = (1 - shownWidth) / 2;
        part.s1 = part.s0 + shownWidth;
        part.t0 = (1 - shownHeight) / 2;
        part.t1 = part.t0 + shownHeight;
    }
    const std::size_t count = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height);
    out.rgb.resize(count);
    static_assert(sizeof(Rgb) == 3, "rows of RGB are handed to the resizer as bytes");
    if (AllOpaque(picture)) {
        if (!Resize(reinterpret_cast<const std::uint8_t*>(picture.rgb.data()), picture.width, picture.height,
                    reinterpret_cast<std::uint8_t*>(out.rgb.data()), out.width, out.height, 3, part))
            return {};
        return scaled;
    }
    // Transparency scales too, and the colours hidden under it do not bleed into the picture.
    std::vector<std::uint8_t> rgba(picture.rgb.size() * 4);
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) {
        rgba[4 * i] = picture.rgb[i].r;
        rgba[4 * i + 1] = picture.rgb[i].g;
        rgba[4 * i + 2] = picture.rgb[i].b;
        rgba[4 * i + 3] = picture.alpha[i];
    }
    std::vector<std::uint8_t> scaledRgba(count * 4);
    if (!Resize(rgba.data(), picture.width, picture.height, scaledRgba.data(), out.width, out.height, 4, part)) return {};
    out.alpha.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        out.rgb[i] = {scaledRgba[4 * i], scaledRgba[4 * i + 1], scaledRgba[4 * i + 2]};
        out.alpha[i] = scaledRgba[4 * i + 3];
    }
    return scaled;
}

DecodedPicture ShrinkBy(const DecodedPicture& picture, int factor) {
    DecodedPicture out;
    out.width = picture.width / factor;
    out.height = picture.height / factor;
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    // Each block of factor x factor pixels becomes their mean in linear light.
    if (!Resize(reinterpret_cast<const std::uint8_t*>(picture.rgb.data()), picture.width, picture.height,
                reinterpret_cast<std::uint8_t*>(out.rgb.data()), out.width, out.height, 3, {}, STBIR_FILTER_BOX))
        return {};
    return out;
}

}  // namespace pxm

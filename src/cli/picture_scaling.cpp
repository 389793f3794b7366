#include "cli/picture_scaling.h"

#include <algorithm>
#include <cmath>

// Debian's libstb-dev (stb_image_resize v0.97): the implementation is compiled here, once.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

#include "core/import/canvas.h"

namespace pxm::cli {

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

}  // namespace

ScaledPicture ScaleToScreen(const DecodedPicture& picture, ScaleMode mode) {
    const double width = picture.width;
    const double height = picture.height;
    // The part of the picture shown (as fractions of it) and the size it takes on the screen.
    double s0 = 0;
    double t0 = 0;
    double s1 = 1;
    double t1 = 1;
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
        s0 = (1 - shownWidth) / 2;
        s1 = s0 + shownWidth;
        t0 = (1 - shownHeight) / 2;
        t1 = t0 + shownHeight;
    }
    out.rgb.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    static_assert(sizeof(Rgb) == 3, "rows of RGB are handed to the resizer as bytes");
    // sRGB in, sRGB out: the filter itself runs in linear light.
    const int ok = stbir_resize_region(
        picture.rgb.data(), picture.width, picture.height, picture.width * 3, out.rgb.data(), out.width, out.height,
        out.width * 3, STBIR_TYPE_UINT8, 3, STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP,
        STBIR_FILTER_DEFAULT, STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_SRGB, nullptr, static_cast<float>(s0),
        static_cast<float>(t0), static_cast<float>(s1), static_cast<float>(t1));
    if (ok == 0) return {};
    return scaled;
}

}  // namespace pxm::cli

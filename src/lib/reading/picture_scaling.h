#pragma once
// A picture of any size brought to the C64 screen's multicolour pixels (160 x 200, each two
// pixels wide), keeping its shape as a PAL C64 shows it, with stb_image_resize in linear light.
#include <array>
#include <string_view>

#include "core/base/named_value.h"
#include "core/import/box_reduction.h"
#include "core/import/decoded_picture.h"

namespace pxm {

enum class ScaleMode { None, Fit, Fill, Stretch };

inline constexpr std::array<NamedValue<ScaleMode>, 4> ScaleModeNames{{
    {"none", ScaleMode::None},
    {"fit", ScaleMode::Fit},
    {"fill", ScaleMode::Fill},
    {"stretch", ScaleMode::Stretch},
}};

// The scaled picture, one pixel a multicolour pixel, and where its top left lies on the screen
// (Fit: centred, the rest of the screen left to the background).
struct ScaledPicture {
    DecodedPicture picture;
    int left = 0;
    int top = 0;
};

// mode: Fit, Fill or Stretch; a picture with transparency keeps its alpha, scaled. reduction:
// how many of the file's pixels across and down each pixel of the picture stands for (a large
// picture brought down as it was decoded), so that the file's shape is kept. Empty picture on
// failure (out of memory).
ScaledPicture ScaleToScreen(const DecodedPicture& picture, ScaleMode mode, BoxFactors reduction = {});

// An opaque picture at 1/factor of its size each way (a C64 picture an emulator or paint program
// enlarged); width and height are multiples of factor. Empty picture on failure (out of memory).
DecodedPicture ShrinkBy(const DecodedPicture& picture, int factor);

}  // namespace pxm

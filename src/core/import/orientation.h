#pragma once
// How a camera's picture is to be turned for showing: the EXIF orientation a phone or camera
// writes instead of turning the pixels. Every viewer honours it, so the converter does too.
#include <cstdint>

#include "core/import/decoded_picture.h"

namespace pxm {

// The EXIF tag's values: where the stored picture's first row and first column belong.
enum class Orientation : std::uint8_t {
    Upright = 1,
    MirroredLeftRight = 2,
    TurnedHalf = 3,         // shown turned by 180 degrees
    MirroredTopBottom = 4,
    Transposed = 5,         // mirrored along the diagonal from the top left
    TurnedRight = 6,        // shown turned 90 degrees clockwise
    Transversed = 7,        // mirrored along the diagonal from the top right
    TurnedLeft = 8,         // shown turned 90 degrees anticlockwise
};

// The tag's value as read; anything outside 1..8 (a damaged or unknown tag) shows it as stored.
Orientation OrientationFromTag(unsigned value);

// Whether showing swaps width and height.
constexpr bool SwapsSides(Orientation orientation) {
    return static_cast<std::uint8_t>(orientation) >= static_cast<std::uint8_t>(Orientation::Transposed);
}

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size the picture is shown at.
constexpr PictureSize ShownSize(int width, int height, Orientation orientation) {
    return SwapsSides(orientation) ? PictureSize{height, width} : PictureSize{width, height};
}

// Where, in the stored picture, the part lies that shows as the top left shownWidth x
// shownHeight of the shown picture (each at most the shown size).
struct StoredPart {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
StoredPart StoredPartShownTopLeft(Orientation orientation, int storedWidth, int storedHeight, int shownWidth,
                                  int shownHeight);

// The picture as it is to be shown: colours, indexes and opacities moved together.
DecodedPicture Oriented(DecodedPicture stored, Orientation orientation);

}  // namespace pxm

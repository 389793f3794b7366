#pragma once
// Colours where distance follows the eye: CIELAB (D65 white, sRGB), the space in which a picture's
// colours are matched to the C64 palettes. Published C64 palettes differ from each other mostly
// in saturation and brightness; CIELAB weighs those as the eye does, where RGB distance makes a
// dark blue move small and a green move large.
#include "core/palette/rgb.h"

namespace pxm {

struct Lab {
    double l = 0;  // lightness, 0 (black) to 100 (white)
    double a = 0;  // green (-) to red (+)
    double b = 0;  // blue (-) to yellow (+)
};

Lab LabOf(Rgb colour);

// The squared CIE 1976 colour difference (ΔE*ab).
constexpr double LabDistanceSquared(const Lab& x, const Lab& y) {
    const double dl = x.l - y.l;
    const double da = x.a - y.a;
    const double db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

}  // namespace pxm

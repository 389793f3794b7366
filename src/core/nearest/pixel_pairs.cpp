#include "core/nearest/pixel_pairs.h"

#include <cmath>

#include "core/nearest/jpeg_colour.h"

namespace pxm {

namespace {

// A step of brightness (0-255) that a lossy copy's noise seldom makes: neighbouring C64 colours
// of one palette differ by more, but for a few of about the same brightness.
constexpr float StrongStep = 24;
// At most 2 strong steps inside pairs for every 5 between: the share is at most 0.13 over copies
// of C64 pictures from four converters saved at JPEG quality 75 to 90, blurred or rescaled, and
// at least 0.78 over 107 photographs and drawings (those with a count of steps to tell by).
constexpr long MostInside = 2;
constexpr long PerBetween = 5;
// And at least this many between: those copies show 127 or more; a smooth photograph (a blurred
// clock, faint icons on a plain ground) shows none at all, yet its few colours may gather as a C64
// picture's do.
constexpr long LeastStepsBetween = 32;

float Brightness(Rgb c) { return YccOf(c.r, c.g, c.b).y; }

}  // namespace

bool StepsFallBetweenPairs(const DecodedPicture& picture, const PictureArea& area) {
    if (area.pixelWidth != 2) return true;
    long inside = 0;
    long between = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x + 1 < area.left + area.width; ++x) {
            const bool strong = std::fabs(Brightness(picture.rgb[picture.At(x, y)]) -
                                         Brightness(picture.rgb[picture.At(x + 1, y)])) > StrongStep;
            // Pairs start at the area's left edge.
            ((x - area.left) % 2 == 0 ? inside : between) += strong;
        }
    }
    return between >= LeastStepsBetween && inside * PerBetween <= between * MostInside;
}

}  // namespace pxm

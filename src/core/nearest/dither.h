#pragma once
// Each pixel of the nearest picture takes one of the colours its cell keeps. Without dithering
// the nearest one; ordered dithering (Bayer) offsets the pixel by its place in the matrix first;
// error diffusion carries what a pixel's colour misses, in linear light, on to the pixels not yet
// done, which again choose among the colours their own cell keeps.
#include <array>
#include <string_view>

#include "core/base/named_value.h"
#include "core/nearest/cell_search.h"

namespace pxm {

enum class DitherKind { None, Bayer4, Bayer8, FloydSteinberg, Atkinson };

inline constexpr std::array<NamedValue<DitherKind>, 5> DitherKindNames{{
    {"none", DitherKind::None},
    {"bayer4", DitherKind::Bayer4},
    {"bayer8", DitherKind::Bayer8},
    {"floyd-steinberg", DitherKind::FloydSteinberg},
    {"atkinson", DitherKind::Atkinson},
}};

struct DitherSettings {
    DitherKind kind = DitherKind::None;
    float strength = 1.0f;  // the share of the error passed on, or of the matrix's full offset
};

// The colour numbers, 0 to 15, onto the Canvas; pixels outside the picture take the background.
void DitherIntoCanvas(const NearestTarget& target, PaletteDistances& distances, const CellColourSets& sets,
                      std::uint8_t background, const DitherSettings& settings, Canvas& canvas);

}  // namespace pxm

#pragma once
// The nearest C64 picture the chosen palette mode can show: the background, each cell's colours
// and each pixel's colour, koalized. Pixel art (every colour a C64 colour) without dithering
// changes the fewest pixels; anything else takes the colours that lie nearest, dithered as asked.
#include <cstdint>
#include <optional>

#include "core/koala/koala_image.h"
#include "core/nearest/dither.h"
#include "core/nearest/fewest_changes.h"

namespace pxm {

// Chosen by measuring the error of docs/performance.md over a set of photographs.
inline constexpr DitherSettings DefaultPhotoDither{DitherKind::FloydSteinberg, 0.5f};

struct NearestSettings {
    PaletteMode mode = PaletteMode::Multicolour;
    BackgroundChoice background = AutoBackground;
    std::optional<DitherSettings> dither;  // none: no dithering for pixel art, else DefaultPhotoDither
};

struct ChangeCount {
    int pixels = 0;
    int cells = 0;
};

struct NearestOutcome {
    std::uint8_t background = 0;
    std::optional<ChangeCount> changes;  // pixel art without dithering: what was changed
};

// canvas: working space, left holding the picture's colour numbers.
NearestOutcome MakeNearestPicture(const NearestTarget& target, const C64Palette& palette,
                                  const NearestSettings& settings, Canvas& canvas, KoalaImage& image);

}  // namespace pxm

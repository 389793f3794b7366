#pragma once
// The nearest C64 picture the chosen palette mode can show: the background, each cell's colours
// and each pixel's colour, koalized. Pixel art (every colour a C64 colour) without dithering
// changes the fewest pixels; anything else takes the colours that lie nearest, dithered as asked
// or, by default, refined until it lies nearest as the eye takes it in.
#include <array>
#include <cstdint>
#include <optional>

#include "core/base/second_thread.h"
#include "core/koala/koala_image.h"
#include "core/nearest/dither.h"
#include "core/nearest/fewest_changes.h"

namespace pxm {

// Unless a dither is asked for, a photograph's picture starts from this dither and is refined as
// the eye takes it in (seen_refinement.h): chosen by measuring the error of docs/performance.md
// over a set of photographs and drawings (no dither and stronger or weaker ones start worse).
inline constexpr DitherSettings RefinementStart{DitherKind::FloydSteinberg, 0.65f};
// The dither --dither-strength alone asks for, at that strength.
inline constexpr DitherKind DefaultDitherKind = DitherKind::FloydSteinberg;

struct NearestSettings {
    PaletteMode mode = PaletteMode::Multicolour;
    BackgroundChoice background = AutoBackground;
    std::optional<DitherSettings> dither;  // none: no dithering for pixel art, else refined as seen
    Threading threading = Threading::Two;  // the search's and the refinement's; the same picture either way
    CorePlacement placement{};             // the second thread's, where the program can ask for it
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

#pragma once
// The Koalize step both programs run: the routine of the chosen palette mode (with the AUTO
// search for the background), and what came of it. Each program shows the outcome its own way.
#include <cstdint>
#include <optional>

#include "core/import/canvas.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize.h"
#include "core/text/messages.h"

namespace pxm {

enum class PaletteMode { Multicolour, FourGreys, FiveGreys };

// The multicolour mode's background: a C64 colour, or none for AUTO (the lowest that works).
struct BackgroundChoice {
    std::optional<std::uint8_t> colour;
    bool operator==(const BackgroundChoice&) const = default;
};

inline constexpr BackgroundChoice AutoBackground{};

// Only the multicolour mode uses the background.
KoalizeOutcome Koalize(const Canvas& canvas, KoalaImage& image, PaletteMode mode, BackgroundChoice background);

// The message box the Windows program shows for a failure.
const Message& FailureMessage(KoalizeFailure failure);

}  // namespace pxm

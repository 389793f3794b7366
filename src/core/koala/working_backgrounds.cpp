#include "core/koala/working_backgrounds.h"

#include <memory>

#include "core/koala/koalize.h"

namespace pxm {

std::vector<std::uint8_t> WorkingBackgrounds(const Canvas& canvas) {
    std::vector<std::uint8_t> working;
    if (HoldsOnlyC64Colours(canvas)) {
        const std::array<int, 16> firstFailing = FirstFailingCells(canvas);
        for (std::uint8_t b = 0; b < 16; ++b) {
            if (firstFailing[b] < 0) working.push_back(b);
        }
        return working;
    }
    // A value above 15 behaves as a free colour slot: only a real run tells.
    const auto scratch = std::make_unique<KoalaImage>();
    for (std::uint8_t b = 0; b < 16; ++b) {
        if (KoalizeMulticolour(canvas, *scratch, b).ok()) working.push_back(b);
    }
    return working;
}

}  // namespace pxm

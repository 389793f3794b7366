#pragma once
// Pictures for the readers' tests: any bytes in bitmap, screen and colour (the readers keep them
// as they stand), a background colour 0 to 15.
#include <memory>

#include "core/koala/koala_image.h"
#include "tests/core/core_test_support.h"

namespace pxm::test {

inline std::unique_ptr<KoalaImage> RandomImage(std::uint32_t seed, int spread = 256) {
    Random random(seed);
    auto image = std::make_unique<KoalaImage>();
    for (std::size_t k = 0; k < KoalaBackgroundOffset; ++k) image->at(k) = static_cast<std::uint8_t>(random.below(spread));
    image->at(KoalaBackgroundOffset) = static_cast<std::uint8_t>(random.below(16));
    return image;
}

}  // namespace pxm::test

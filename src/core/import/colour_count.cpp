#include "core/import/colour_count.h"

#include <vector>

namespace pxm {

std::size_t CountColours(const DecodedPicture& picture) {
    // One bit for each 24-bit colour: 2 MiB, and no sorting of the 104448 pixels a screenshot has.
    std::vector<bool> seen(std::size_t{1} << 24);
    std::size_t count = 0;
    for (const Rgb c : picture.rgb) {
        const std::uint32_t packed = Packed(c);
        if (!seen[packed]) {
            seen[packed] = true;
            ++count;
        }
    }
    return count;
}

}  // namespace pxm

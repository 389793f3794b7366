#include "core/import/palette_order.h"

#include <algorithm>
#include <vector>

#include "core/import/palette_match.h"

namespace pxm {

std::optional<EntryOutOfOrder> FirstEntryOutOfOrder(const std::array<Rgb, 16>& colours) {
    // A colour given twice is one colour of the picture.
    std::vector<ColourAt> distinct;
    std::vector<std::size_t> firstEntry;
    for (std::size_t e = 0; e < colours.size(); ++e) {
        if (std::ranges::any_of(distinct, [&](const ColourAt& c) { return c.rgb == colours[e]; })) continue;
        distinct.push_back({colours[e], 0, 0});
        firstEntry.push_back(e);
    }
    const PaletteMatch match = MatchColours(distinct, PaletteChoice{});
    if (match.refusal != ColourRefusal::None) return std::nullopt;
    for (std::size_t c = 0; c < distinct.size(); ++c) {
        if (match.numberOf[c] != firstEntry[c]) return EntryOutOfOrder{firstEntry[c], match.numberOf[c], match.palette};
    }
    return std::nullopt;
}

}  // namespace pxm

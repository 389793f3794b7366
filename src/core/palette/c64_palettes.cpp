#include "core/palette/c64_palettes.h"

#include "core/text/equal_ignoring_case.h"

namespace pxm {

std::optional<std::size_t> FindPalette(std::string_view name) {
    for (std::size_t p = 0; p < C64Palettes.size(); ++p) {
        if (EqualIgnoringCase(C64Palettes[p].name, name)) return p;
    }
    return std::nullopt;
}

}  // namespace pxm

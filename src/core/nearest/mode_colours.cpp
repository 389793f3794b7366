#include "core/nearest/mode_colours.h"

#include <bit>

namespace pxm {

namespace {

constexpr ColourSet Set(std::initializer_list<int> colours) {
    ColourSet set = 0;
    for (const int c : colours) set = static_cast<ColourSet>(set | 1u << c);
    return set;
}

// As the grey koalizers encode them: black behind, the three greys in every cell, and in the
// five-grey mode white in place of any one of them.
constexpr ColourSet Black = Set({0});
constexpr ColourSet FourGreys = Set({11, 12, 15});
constexpr ColourSet FiveGreys = Set({1, 11, 12, 15});

}  // namespace

KeptColours KeptOf(ColourSet set) {
    KeptColours kept;
    for (ColourSet s = set; s != 0 && kept.count < kept.colours.size(); s &= static_cast<ColourSet>(s - 1))
        kept.colours[kept.count++] = static_cast<std::uint8_t>(std::countr_zero(s));
    return kept;
}

ModeColours ModeColoursOf(PaletteMode mode, BackgroundChoice background) {
    switch (mode) {
        case PaletteMode::FourGreys: return {Black, FourGreys};
        case PaletteMode::FiveGreys: return {Black, FiveGreys};
        case PaletteMode::Multicolour: break;
    }
    return {background.colour ? Set({*background.colour}) : AllColours, AllColours};
}

ShownColours ShownColoursOf(const C64Palette& palette) {
    ShownColours shown;
    for (std::size_t c = 0; c < 16; ++c) {
        shown.linear[c] = LinearOf(palette.colours[c]);
        shown.lab[c] = LabOf(shown.linear[c]);
    }
    return shown;
}

}  // namespace pxm

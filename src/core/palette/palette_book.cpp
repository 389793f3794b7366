#include "core/palette/palette_book.h"

#include <utility>

namespace pxm {

namespace {

struct Own {
    std::string name = "own";
    C64Palette palette{"own", {}};
};

Own& TheOwn() {
    static Own own;
    return own;
}

}  // namespace

const C64Palette& PaletteAt(std::size_t number) {
    return number == OwnPalette ? TheOwn().palette : C64Palettes[number];
}

void SetOwnPalette(std::string name, const std::array<Rgb, 16>& colours) {
    Own& own = TheOwn();
    own.name = std::move(name);
    own.palette = {own.name, colours};
}

}  // namespace pxm

#include "core/import/print_colours.h"

namespace pxm {

namespace {

// The light left of one primary: what its ink and black let through, each as a share of 255.
std::uint8_t LightLeft(int ink, int black, InkStorage storage) {
    const int through = storage == InkStorage::Inverted ? ink : 255 - ink;
    const int throughBlack = storage == InkStorage::Inverted ? black : 255 - black;
    return static_cast<std::uint8_t>((through * throughBlack + 127) / 255);
}

}  // namespace

Rgb RgbOfInks(Inks inks, InkStorage storage) {
    return {LightLeft(inks.cyan, inks.black, storage), LightLeft(inks.magenta, inks.black, storage),
            LightLeft(inks.yellow, inks.black, storage)};
}

}  // namespace pxm

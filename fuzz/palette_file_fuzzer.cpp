// libFuzzer target: any bytes as a palette file (--palette-file). A palette read holds sixteen
// colours; an entry out of the C64's order is another number; as the run's own palette, its
// colours are recognised as themselves, each at its own number. A refusal names a line that is
// there, or a count that is not sixteen.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "core/import/palette_match.h"
#include "core/import/palette_order.h"
#include "core/palette/palette_book.h"
#include "core/palette/palette_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckRefusal(const pxm::PaletteFileFailure& failure, std::span<const std::uint8_t> file) {
    using Kind = pxm::PaletteFileFailure::Kind;
    switch (failure.kind) {
        case Kind::NoColours: break;
        case Kind::BadLine:
            Check(failure.line >= 1 && failure.line <= 1 + static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n')));
            Check(!failure.text.empty());
            for (const char c : failure.text) Check(c >= ' ' && c < 0x7F);
            break;
        case Kind::WrongCount: Check(failure.colours != 16 && failure.colours > 0); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > pxm::MaxPaletteFileBytes) return 0;
    const std::span<const std::uint8_t> file(data, size);
    const auto palette = pxm::ReadPaletteFile(file);
    if (!palette) {
        CheckRefusal(palette.error(), file);
        return 0;
    }
    if (const auto misplaced = pxm::FirstEntryOutOfOrder(*palette)) {
        Check(misplaced->entry < 16 && misplaced->readAs >= 0 && misplaced->readAs < 16 &&
              static_cast<std::size_t>(misplaced->readAs) != misplaced->entry);
    }
    pxm::SetOwnPalette("fuzzed", *palette);
    std::vector<pxm::ColourAt> colours;
    for (const pxm::Rgb rgb : *palette) {
        if (std::none_of(colours.begin(), colours.end(), [&](const pxm::ColourAt& c) { return c.rgb == rgb; }))
            colours.push_back({rgb, 0, 0});
    }
    const pxm::PaletteMatch match =
        pxm::MatchColours(colours, {pxm::PaletteChoice::Kind::Named, pxm::OwnPalette});
    Check(match.refusal == pxm::ColourRefusal::None && match.differsBy == 0);
    for (std::size_t c = 0; c < colours.size(); ++c)
        Check(pxm::PaletteAt(pxm::OwnPalette).colours[match.numberOf[c]] == colours[c].rgb);
    return 0;
}

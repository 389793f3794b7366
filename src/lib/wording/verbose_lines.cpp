#include "lib/wording/verbose_lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>

#include "lib/wording/failure_detail.h"
#include "lib/wording/text_join.h"
#include "core/koala/cell_colours.h"
#include "core/koala/koala_image.h"
#include "core/nearest/nearest_picture.h"
#include "core/palette/c64_palettes.h"
#include "core/palette/palette_book.h"

namespace pxm {

std::string PaletteDistanceLine(const DecodedPicture& picture, const PictureArea& area, std::size_t palette) {
    std::set<std::uint32_t> seen;
    int farthest = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const Rgb colour = picture.rgb[picture.At(x, y)];
            if (!seen.insert(Packed(colour)).second) continue;
            int nearest = DistanceSquared(colour, PaletteAt(palette).colours[0]);
            for (const Rgb entry : PaletteAt(palette).colours) nearest = std::min(nearest, DistanceSquared(colour, entry));
            farthest = std::max(farthest, nearest);
        }
    }
    char distance[16];
    std::snprintf(distance, sizeof distance, "%.1f", std::sqrt(static_cast<double>(farthest)));
    return Join({"Colours: ", std::to_string(seen.size()), ", each within distance ", distance, " of its ",
                 PaletteAt(palette).name, " entry."});
}

std::string CellCountsLine(const Canvas& canvas, std::uint8_t background) {
    std::array<int, 4> cells{};
    for (int cell = 0; cell < CellCount; ++cell) {
        std::vector<std::uint8_t> colours = DistinctCellColours(canvas, cell);
        std::erase(colours, background);
        ++cells[std::min<std::size_t>(colours.size(), 3)];
    }
    std::string text = Join({"Cells by colours besides background ", ColourText(background), ":"});
    for (std::size_t n = 0; n < cells.size(); ++n)
        text += Join({n == 0 ? " " : ", ", std::to_string(n), ": ", std::to_string(cells[n])});
    return text + ".";
}

namespace {

std::string PaletteChoiceLine(const NearestChoices& choices) {
    using Reason = NearestChoices::PaletteReason;
    const std::string_view name = PaletteAt(choices.palette).name;
    switch (choices.paletteReason) {
        case Reason::Default: return Join({"Palette: ", name, " (the default).\n"});
        case Reason::Named: return Join({"Palette: ", name, " (--palette).\n"});
        case Reason::OwnFile: return Join({"Palette: ", name, " (--palette-file).\n"});
        case Reason::Recognised: break;
    }
    return {};
}

std::string ScalingLine(const NearestChoices& choices) {
    if (!choices.scalable) return {};
    const std::string size = Join({"the picture is ", std::to_string(choices.width), " x ", std::to_string(choices.height)});
    if (!choices.scale) {
        if (choices.scaleGiven) return Join({"Scaling: none (--scale; ", size, ", its top left shown).\n"});
        return Join({"Scaling: none (", size, ", a C64 picture's size: placed as it is).\n"});
    }
    const std::string_view mode = NameOf<ScaleMode>(ScaleModeNames, *choices.scale);
    if (choices.scaleGiven) return Join({"Scaling: ", mode, " (--scale; ", size, ").\n"});
    const std::string_view shape = choices.top > 0    ? ": wider than the screen's shape, bordered above and below"
                                   : choices.left > 0 ? ": taller than the screen's shape, bordered left and right"
                                                      : ": the screen's shape, filling it";
    return Join({"Scaling: ", mode, " (", size, shape, ").\n"});
}

std::string DitherLine(const NearestChoices& choices) {
    char strength[16];
    if (choices.dither) {
        std::snprintf(strength, sizeof strength, "%.2f", static_cast<double>(choices.dither->strength));
        const std::string_view kind = NameOf<DitherKind>(DitherKindNames, choices.dither->kind);
        if (choices.dither->kind == DitherKind::None) return "Dither: none (as asked).";
        return Join({"Dither: ", kind, " at ", strength, " (as asked)."});
    }
    if (choices.pixelArt) return "Dither: none (a picture of C64 colours only: the fewest pixels changed).";
    std::snprintf(strength, sizeof strength, "%.2f", static_cast<double>(RefinementStart.strength));
    return Join({"Dither: ", NameOf<DitherKind>(DitherKindNames, RefinementStart.kind), " at ", strength,
                 ", then refined as seen (the default for a photograph)."});
}

}  // namespace

std::string NearestChoicesLines(const NearestChoices& choices) {
    return Join({PaletteChoiceLine(choices), ScalingLine(choices), DitherLine(choices)});
}

std::string TimeTakenLine(std::chrono::steady_clock::duration taken) {
    return Join({"Time taken: ", std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(taken).count()),
                 " ms."});
}

}  // namespace pxm

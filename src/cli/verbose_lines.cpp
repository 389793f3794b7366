#include "cli/verbose_lines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>

#include "cli/failure_detail.h"
#include "cli/text_join.h"
#include "core/koala/cell_colours.h"
#include "core/koala/koala_image.h"
#include "core/palette/c64_palettes.h"

namespace pxm::cli {

std::string PaletteDistanceLine(const DecodedPicture& picture, const PictureArea& area, std::size_t palette) {
    std::set<std::uint32_t> seen;
    int farthest = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const Rgb colour = picture.rgb[picture.At(x, y)];
            if (!seen.insert(Packed(colour)).second) continue;
            int nearest = DistanceSquared(colour, C64Palettes[palette].colours[0]);
            for (const Rgb entry : C64Palettes[palette].colours) nearest = std::min(nearest, DistanceSquared(colour, entry));
            farthest = std::max(farthest, nearest);
        }
    }
    char distance[16];
    std::snprintf(distance, sizeof distance, "%.1f", std::sqrt(static_cast<double>(farthest)));
    return Join({"Colours: ", std::to_string(seen.size()), ", each within distance ", distance, " of its ",
                 C64Palettes[palette].name, " entry."});
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

std::string TimeTakenLine(std::chrono::steady_clock::duration taken) {
    return Join({"Time taken: ", std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(taken).count()),
                 " ms."});
}

}  // namespace pxm::cli

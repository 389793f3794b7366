#include "lib/output/border_choice.h"

#include "core/import/picture_area.h"
#include "core/import/screenshot_border.h"
#include "core/palette/palette_book.h"

namespace pxm {

std::optional<std::uint8_t> ScreenshotBorder(const DecodedPicture& picture, std::size_t palette) {
    const std::optional<PictureArea> area = AcceptedArea(picture.width, picture.height);
    if (!area || area->left == 0) return std::nullopt;  // a picture without border
    const std::optional<Rgb> border = OneBorderColour(picture, *area);
    if (!border) return std::nullopt;
    const auto& colours = PaletteAt(palette).colours;
    std::uint8_t nearest = 0;
    for (std::uint8_t c = 1; c < colours.size(); ++c) {
        if (DistanceSquared(*border, colours[c]) < DistanceSquared(*border, colours[nearest])) nearest = c;
    }
    return nearest;
}

std::optional<std::uint8_t> BorderToShow(std::optional<BackgroundChoice> asked, std::optional<std::uint8_t> inputBorder) {
    if (asked && asked->colour) return *asked->colour;
    return inputBorder;
}

}  // namespace pxm

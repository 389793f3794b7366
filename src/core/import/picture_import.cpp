#include "core/import/picture_import.h"

namespace pxm {

PictureImport ImportPicture(const DecodedPicture& picture, std::string_view kindName, const PaletteChoice& choice,
                            Canvas& canvas) {
    PictureImport result;
    const std::optional<PictureArea> area = AcceptedArea(picture.width, picture.height);
    if (!area) {
        result.refusal = ImportRefusal::Size;
        return result;
    }

    std::vector<std::uint8_t> numbers;
    if (choice.kind == PaletteChoice::Kind::Index) {
        if (!picture.Indexed()) {
            result.refusal = ImportRefusal::NoColourTable;
            return result;
        }
        numbers.reserve(static_cast<std::size_t>(area->width) * static_cast<std::size_t>(area->height));
        for (int y = area->top; y < area->top + area->height; ++y) {
            for (int x = area->left; x < area->left + area->width; ++x)
                numbers.push_back(picture.indexes[picture.At(x, y)]);
        }
    } else {
        result.colours = MatchPalette(picture, *area, choice);
        if (result.colours.refusal != ColourRefusal::None) {
            result.refusal = ImportRefusal::Colour;
            return result;
        }
        result.palette = result.colours.palette;
        numbers = std::move(result.colours.numbers);
    }

    if (const std::optional<DifferingPair> pair = PlaceOnCanvas(numbers, *area, canvas)) {
        result.refusal = ImportRefusal::DifferingPair;
        result.pair = *pair;
        result.palette.reset();
        return result;
    }
    result.source = {kindName, area->left, area->top, 0, area->pixelWidth};
    return result;
}

}  // namespace pxm

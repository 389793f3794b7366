#include "core/import/picture_import.h"

namespace pxm {

namespace {

// Transparency is no colour: whatever RGB lies under a see-through pixel, the artist does not see it.
std::optional<TransparentPixel> FirstTransparent(const DecodedPicture& picture, const PictureArea& area) {
    if (picture.alpha.empty()) return std::nullopt;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            const std::uint8_t alpha = picture.alpha[picture.At(x, y)];
            if (alpha != 255) return TransparentPixel{x, y, alpha};
        }
    }
    return std::nullopt;
}

}  // namespace

PictureImport ImportPicture(const DecodedPicture& picture, PictureKind kind, const PaletteChoice& choice,
                            Canvas& canvas) {
    PictureImport result;
    const std::optional<PictureArea> area = AcceptedArea(picture.width, picture.height);
    if (!area) {
        result.refusal = ImportRefusal::Size;
        return result;
    }

    if (const std::optional<TransparentPixel> transparent = FirstTransparent(picture, *area)) {
        result.refusal = ImportRefusal::Transparent;
        result.transparent = *transparent;
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
    result.source = {kind, area->left, area->top, 0, area->pixelWidth};
    return result;
}

}  // namespace pxm

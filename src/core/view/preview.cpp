#include "core/view/preview.h"

#include <memory>

#include "core/view/shown_colours.h"

namespace pxm {

void RenderPreview(const KoalaImage& image, const C64Palette& palette, PreviewPixels& pixels) {
    const auto colours = std::make_unique<ShownColourNumbers>();
    DecodeShownColours(image, *colours);
    for (std::size_t k = 0; k < pixels.size(); ++k) pixels[k] = palette.colours[(*colours)[k / 2]];
}

}  // namespace pxm

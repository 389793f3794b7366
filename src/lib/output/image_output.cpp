#include "lib/output/image_output.h"

#include <memory>

#include "lib/output/preview_png.h"
#include "core/text/equal_ignoring_case.h"
#include "core/view/picture_bmp.h"
#include "core/view/preview.h"
#include "core/view/rgb_bmp.h"

namespace pxm {

std::optional<ImageOutput> ImageOutputFromName(std::string_view name) {
    if (EqualIgnoringCase(name, "png")) return ImageOutput::Png;
    if (EqualIgnoringCase(name, "bmp")) return ImageOutput::Bmp;
    return std::nullopt;
}

ImageFile BuildImageFile(const KoalaImage& image, ImageOutput kind, const C64Palette& palette) {
    if (kind == ImageOutput::Bmp) return BuildPictureBmp(image, palette);
    const auto pixels = std::make_unique<PreviewPixels>();
    RenderPreview(image, palette, *pixels);
    return EncodePreviewPng(*pixels);
}

ImageFile BuildRgbImageFile(const RgbPicture& picture, ImageOutput kind) {
    if (kind == ImageOutput::Bmp) return BuildRgbBmp(picture.pixels, picture.width, picture.height);
    return EncodePng(picture.pixels, picture.width, picture.height);
}

}  // namespace pxm

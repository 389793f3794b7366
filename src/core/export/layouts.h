#pragma once
// The Koala picture laid out as a format keeps it: bitmap, screen, colour and background at
// the places the format's row of `Formats` gives.
#include "core/export/picture_data.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

void BuildLayout(const KoalaImage& image, const PictureLayout& layout, PictureData& block);

}  // namespace pxm

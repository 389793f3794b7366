#pragma once
// The border a program (-x) shows: the colour --border names, or with auto the border of an
// emulator screenshot or of the program read, else the picture's background.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/import/decoded_picture.h"
#include "core/koala/koalize_step.h"

namespace pxm {

// The C64 colour (in the palette numbered) of a screenshot's border when the picture is an
// emulator screenshot whose border is one colour; none for any other picture.
std::optional<std::uint8_t> ScreenshotBorder(const DecodedPicture& picture, std::size_t palette);

// The border to show: asked (a colour, or AUTO or none given: the input's border), else none
// (the background).
std::optional<std::uint8_t> BorderToShow(std::optional<BackgroundChoice> asked, std::optional<std::uint8_t> inputBorder);

}  // namespace pxm

#pragma once
// The clash map: the picture as it was read, every cell a koalization cannot make framed in a
// colour the picture does not use. The frame lies on the cell's outermost pixels, so that the
// marks stay inside the marked cells and every other cell shows the picture unchanged.
#include <cstddef>
#include <vector>

#include "core/import/canvas.h"
#include "core/import/decoded_picture.h"
#include "core/koala/cell_set.h"
#include "core/palette/c64_palettes.h"

namespace pxm {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row by row from the top
    int cellsLeft = 0;        // where cell 0,0 starts: inside the border of a screenshot
    int cellsTop = 0;

    Rgb& At(int x, int y) {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// The picture as read, 320x200: a PNG, GIF or JPEG as its file has it (a screenshot at its own
// 384x272), a BMP (decoded: none) as its colour numbers in the palette given. Whatever a small
// picture leaves of the 320x200 shows colour 0, as the Canvas has it.
RgbPicture PictureAsRead(const Canvas& canvas, const C64Palette& palette, const DecodedPicture* decoded);

// A strong colour that no pixel of the picture has.
Rgb UnusedColour(const RgbPicture& picture);

// Frames the cells given in the colour given.
void FrameCells(RgbPicture& picture, const CellSet& cells, Rgb frame);

}  // namespace pxm

#pragma once
// A GIF's first frame put on its logical screen: what every GIF decoder shares once it has read
// the frame's colour indexes and the colour tables. The frame may cover part of the screen; the
// pixels it leaves uncovered take the screen's background index and the file's own table.
#include <cstdint>
#include <span>

#include "core/base/result.h"
#include "core/import/box_reduction.h"
#include "core/import/decoded_picture.h"
#include "core/palette/rgb.h"

namespace pxm {

struct GifScreen {
    int width = 0;
    int height = 0;
    std::uint8_t background = 0;  // the index of the pixels no frame covers
    std::span<const Rgb> table;   // the file's own table; empty when it has none
};

// Where the frame lies on the screen.
struct GifFramePlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class GifFrameError {
    OutsideScreen,   // the frame does not lie within the screen
    NoColourTable,   // neither the frame nor the file has a table
    IndexPastTable,  // a pixel's index lies past the end of its table
};

// Whether a frame of at least one pixel lies wholly within the screen.
bool FrameOnScreen(const GifFramePlace& frame, int screenWidth, int screenHeight);

// The picture of the screen's size with the frame on it. frameIndexes holds the frame's rows from
// the top, frameTable the frame's table (its own, else the file's), frameAlpha the opacity of each
// of its entries (a transparent index: 0), empty when all are opaque; no frame pixel is opaque.
Result<DecodedPicture, GifFrameError> ComposeGifPicture(const GifScreen& screen, const GifFramePlace& frame,
                                                        std::span<const std::uint8_t> frameIndexes,
                                                        std::span<const Rgb> frameTable,
                                                        std::span<const std::uint8_t> frameAlpha = {});

// A large picture, brought down as it is decoded: the pixels of the screen the frame leaves
// uncovered, in the screen's background colour (from the file's table, else the frame's), added
// to the reduction; the frame's own pixels are the decoder's. Fails when the index lies past the
// table.
Status<GifFrameError> ReduceScreenAroundFrame(const GifScreen& screen, const GifFramePlace& frame,
                                              std::span<const Rgb> frameTable, BoxReduction& reduction);

}  // namespace pxm

#include "lib/reading/picture_decoder.h"

namespace pxm {

std::string GifFrameErrorText(GifFrameError error) {
    switch (error) {
        case GifFrameError::OutsideScreen: return "the first image lies outside the picture";
        case GifFrameError::NoColourTable: return "the file has no colour table";
        case GifFrameError::IndexPastTable: break;
    }
    return "a pixel's colour index lies past the end of the colour table";
}

}  // namespace pxm

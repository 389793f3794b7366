// GIF files through giflib: the logical screen, then the first image on it.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>

#include "lib/reading/picture_decoder.h"
#include "core/import/box_reduction.h"
#include "core/import/gif_frame.h"
#include "core/import/picture_area.h"

namespace pxm {

namespace {

struct GifSource {
    std::span<const std::uint8_t> file;
    std::size_t at = 0;
};

int ReadFromSpan(GifFileType* gif, GifByteType* data, int length) {
    auto& source = *static_cast<GifSource*>(gif->UserData);
    const std::size_t n = std::min(static_cast<std::size_t>(std::max(length, 0)), source.file.size() - source.at);
    std::memcpy(data, source.file.data() + source.at, n);
    source.at += n;
    return static_cast<int>(n);
}

struct CloseGif {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifFile = std::unique_ptr<GifFileType, CloseGif>;

std::string LibraryText(int error) {
    const char* text = GifErrorString(error);
    return std::string("giflib: ") + (text != nullptr ? text : "error " + std::to_string(error));
}

// A giflib colour table as colours; empty for none.
std::vector<Rgb> TableOf(const ColorMapObject* map) {
    std::vector<Rgb> table;
    if (map == nullptr) return table;
    for (int i = 0; i < map->ColorCount; ++i) table.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
    return table;
}

// The opacity of each entry of a table of `size`: the transparent index none; empty when the
// frame has no transparent index.
std::vector<std::uint8_t> FrameAlpha(std::size_t size, int transparentIndex) {
    std::vector<std::uint8_t> alpha;
    if (transparentIndex == NO_TRANSPARENT_COLOR || static_cast<std::size_t>(transparentIndex) >= size) return alpha;
    alpha.assign(size, 255);
    alpha[static_cast<std::size_t>(transparentIndex)] = 0;
    return alpha;
}

// Reads past an extension; a graphic control extension tells the transparent index of the image
// after it (NO_TRANSPARENT_COLOR: none).
bool ReadExtension(GifFileType* gif, int& transparentIndex) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
    GraphicsControlBlock control{};
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
        transparentIndex = control.TransparentColor;
    while (block != nullptr) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
    }
    return true;
}

// Reads extension blocks up to the first image's descriptor; false when the file has no image
// or breaks off before it.
bool FindFirstImage(GifFileType* gif, int& transparentIndex, std::string& reason) {
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) break;
        if (type == TERMINATE_RECORD_TYPE) {
            reason = "the file holds no picture";
            return false;
        }
        if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif) == GIF_ERROR) break;
            return true;
        }
        if (type == EXTENSION_RECORD_TYPE && !ReadExtension(gif, transparentIndex)) break;
    }
    reason = LibraryText(gif->Error);
    return false;
}

// The frame's rows in the order the file holds them: an interlaced frame stores every 8th row
// first, then the 4th, the 2nd and the rest.
std::vector<int> RowsInFileOrder(int height, bool interlaced) {
    std::vector<int> rows;
    constexpr std::array<int, 4> Start{0, 4, 2, 1};
    constexpr std::array<int, 4> Step{8, 8, 4, 2};
    for (std::size_t pass = 0; pass < (interlaced ? Start.size() : 1); ++pass) {
        for (int y = interlaced ? Start[pass] : 0; y < height; y += interlaced ? Step[pass] : 1) rows.push_back(y);
    }
    return rows;
}

// The frame's rows in picture order.
bool ReadFrameRows(GifFileType* gif, std::vector<GifPixelType>& frame) {
    const GifImageDesc& desc = gif->Image;
    for (const int y : RowsInFileOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, frame.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(desc.Width),
                        desc.Width) == GIF_ERROR)
            return false;
    }
    return true;
}

// The frame's rows into the reduction as giflib reads them (an interlaced frame's in its order),
// and the screen around it in its background colour. Empty, or the reason the frame is unreadable.
std::string ReduceFrame(GifFileType* gif, std::span<const Rgb> frameTable, std::span<const Rgb> screenTable,
                        int transparentIndex, BoxReduction& reduction) {
    const GifImageDesc& desc = gif->Image;
    std::vector<LinearPixel> linearTable;
    for (std::size_t i = 0; i < frameTable.size(); ++i)
        linearTable.push_back(LinearOf(frameTable[i], static_cast<int>(i) == transparentIndex ? 0 : 255));
    std::vector<GifPixelType> indexes(static_cast<std::size_t>(desc.Width));
    std::vector<LinearPixel> row(indexes.size());
    for (const int y : RowsInFileOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, indexes.data(), desc.Width) == GIF_ERROR) return LibraryText(gif->Error);
        for (std::size_t x = 0; x < indexes.size(); ++x) {
            if (indexes[x] >= linearTable.size()) return GifFrameErrorText(GifFrameError::IndexPastTable);
            row[x] = linearTable[indexes[x]];
        }
        AddPixels(reduction, desc.Top + y, desc.Left, 1, row);
    }
    const GifScreen screen{gif->SWidth, gif->SHeight, static_cast<std::uint8_t>(gif->SBackGroundColor), screenTable};
    const Status<GifFrameError> around =
        ReduceScreenAroundFrame(screen, {desc.Left, desc.Top, desc.Width, desc.Height}, frameTable, reduction);
    return around ? std::string{} : GifFrameErrorText(around.error());
}

}  // namespace

DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes) {
    DecodeOutcome outcome;
    GifSource source{file};
    int error = 0;
    const GifFile gif(DGifOpen(&source, ReadFromSpan, &error));
    if (!gif) {
        outcome.reason = LibraryText(error);
        return outcome;
    }
    DecodedPicture& picture = outcome.picture;
    picture.width = gif->SWidth;
    picture.height = gif->SHeight;
    if (!Takes(sizes, picture.width, picture.height)) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return outcome;
    }
    int transparentIndex = NO_TRANSPARENT_COLOR;
    if (!FindFirstImage(gif.get(), transparentIndex, outcome.reason)) return outcome;

    const GifImageDesc& desc = gif->Image;
    const GifFramePlace place{desc.Left, desc.Top, desc.Width, desc.Height};
    if (!FrameOnScreen(place, picture.width, picture.height)) {
        outcome.reason = GifFrameErrorText(GifFrameError::OutsideScreen);
        return outcome;
    }
    const ColorMapObject* table = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    if (table == nullptr) {
        outcome.reason = GifFrameErrorText(GifFrameError::NoColourTable);
        return outcome;
    }
    const std::vector<Rgb> frameTable = TableOf(table);
    const std::vector<Rgb> screenTable = TableOf(gif->SColorMap);
    if (std::optional<BoxReduction> reduction = RowReductionFor(sizes, picture.width, picture.height)) {
        outcome.reason = ReduceFrame(gif.get(), frameTable, screenTable, transparentIndex, *reduction);
        if (outcome.reason.empty()) FinishRowReduction(*reduction, outcome);
        return outcome;
    }
    std::vector<GifPixelType> frame(static_cast<std::size_t>(desc.Width) * static_cast<std::size_t>(desc.Height));
    if (!ReadFrameRows(gif.get(), frame)) {
        outcome.reason = LibraryText(gif->Error);
        return outcome;
    }

    Result<DecodedPicture, GifFrameError> composed = ComposeGifPicture(
        {picture.width, picture.height, static_cast<std::uint8_t>(gif->SBackGroundColor), screenTable}, place, frame,
        frameTable, FrameAlpha(frameTable.size(), transparentIndex));
    if (!composed) {
        outcome.reason = GifFrameErrorText(composed.error());
        picture = {};
        return outcome;
    }
    picture = std::move(*composed);
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm

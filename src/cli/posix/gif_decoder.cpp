// GIF files through giflib: the logical screen, then the first image on it.
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#include "cli/picture_decoder.h"
#include "core/import/picture_area.h"

namespace pxm::cli {

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

// The frame's rows in picture order; an interlaced frame stores every 8th row first, then the
// 4th, the 2nd and the rest.
bool ReadFrameRows(GifFileType* gif, std::vector<GifPixelType>& frame) {
    const GifImageDesc& desc = gif->Image;
    constexpr std::array<int, 4> Start{0, 4, 2, 1};
    constexpr std::array<int, 4> Step{8, 8, 4, 2};
    const auto row = [&](int y) {
        return frame.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(desc.Width);
    };
    if (!desc.Interlace) {
        for (int y = 0; y < desc.Height; ++y) {
            if (DGifGetLine(gif, row(y), desc.Width) == GIF_ERROR) return false;
        }
        return true;
    }
    for (std::size_t pass = 0; pass < Start.size(); ++pass) {
        for (int y = Start[pass]; y < desc.Height; y += Step[pass]) {
            if (DGifGetLine(gif, row(y), desc.Width) == GIF_ERROR) return false;
        }
    }
    return true;
}

}  // namespace

DecodeOutcome DecodeGif(std::span<const std::uint8_t> file) {
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
    if (!AcceptedArea(picture.width, picture.height)) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return outcome;
    }
    int transparentIndex = NO_TRANSPARENT_COLOR;
    if (!FindFirstImage(gif.get(), transparentIndex, outcome.reason)) return outcome;

    const GifImageDesc& desc = gif->Image;
    if (desc.Left < 0 || desc.Top < 0 || desc.Width <= 0 || desc.Height <= 0 ||
        desc.Left + desc.Width > picture.width || desc.Top + desc.Height > picture.height) {
        outcome.reason = "the first image lies outside the picture";
        return outcome;
    }
    const ColorMapObject* table = desc.ColorMap != nullptr ? desc.ColorMap : gif->SColorMap;
    const ColorMapObject* screenTable = gif->SColorMap != nullptr ? gif->SColorMap : table;
    if (table == nullptr) {
        outcome.reason = "the file has no colour table";
        return outcome;
    }
    std::vector<GifPixelType> frame(static_cast<std::size_t>(desc.Width) * static_cast<std::size_t>(desc.Height));
    if (!ReadFrameRows(gif.get(), frame)) {
        outcome.reason = LibraryText(gif->Error);
        return outcome;
    }

    const auto pixelCount = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    picture.indexes.assign(pixelCount, static_cast<std::uint8_t>(gif->SBackGroundColor));
    picture.rgb.resize(pixelCount);
    picture.alpha.assign(pixelCount, 255);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const bool inFrame =
                x >= desc.Left && x < desc.Left + desc.Width && y >= desc.Top && y < desc.Top + desc.Height;
            const ColorMapObject* map = inFrame ? table : screenTable;
            std::uint8_t& index = picture.indexes[picture.At(x, y)];
            if (inFrame)
                index = frame[static_cast<std::size_t>(y - desc.Top) * static_cast<std::size_t>(desc.Width) +
                              static_cast<std::size_t>(x - desc.Left)];
            if (index >= map->ColorCount) {
                outcome.reason = "a pixel's colour index lies past the end of the colour table";
                picture = {};
                return outcome;
            }
            const GifColorType& c = map->Colors[index];
            picture.rgb[picture.At(x, y)] = {c.Red, c.Green, c.Blue};
            if (inFrame && index == transparentIndex) picture.alpha[picture.At(x, y)] = 0;
        }
    }
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm::cli

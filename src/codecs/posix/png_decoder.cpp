// PNG files through libpng. libpng reports errors by longjmp: the frame that calls setjmp holds
// no object with a destructor, and every C++ object it fills lives in its caller.
#include <png.h>

#include <array>
#include <csetjmp>
#include <cstring>
#include <optional>
#include <vector>

#include "lib/reading/picture_decoder.h"
#include "core/import/box_reduction.h"

namespace pxm {

namespace {

// Ancillary chunks (ICC profiles, texts) may take this much memory at most, decompressed.
constexpr png_alloc_size_t MaxChunkBytes = 1 << 20;

struct PngSource {
    std::span<const std::uint8_t> file;
    std::size_t at = 0;
    std::array<char, 160> error{};  // libpng's message when it gave up
};

void ReadFromSpan(png_structp png, png_bytep data, png_size_t length) {
    auto& source = *static_cast<PngSource*>(png_get_io_ptr(png));
    if (source.file.size() - source.at < length) png_error(png, "the file ends early");
    std::memcpy(data, source.file.data() + source.at, length);
    source.at += length;
}

[[noreturn]] void KeepError(png_structp png, png_const_charp message) {
    auto& source = *static_cast<PngSource*>(png_get_error_ptr(png));
    std::strncpy(source.error.data(), message, source.error.size() - 1);
    png_longjmp(png, 1);
}

// libpng's warnings are about chunks that do not matter to the picture.
void IgnoreWarning(png_structp, png_const_charp) {}

// The colour types, as transforms that leave one byte per pixel (an index) or four (RGBA: a
// transparent colour of the tRNS chunk, or none, becomes alpha too). combinePasses: an interlaced
// picture's passes are put together into whole rows (which needs the whole picture).
void SetTransforms(png_structp png, png_infop info, bool combinePasses) {
    const int colourType = png_get_color_type(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_packing(png);
    } else {
        png_set_scale_16(png);
        if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
            png_set_expand_gray_1_2_4_to_8(png);
            png_set_gray_to_rgb(png);
        }
        if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
        else if ((colourType & PNG_COLOR_MASK_ALPHA) == 0) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    if (combinePasses) png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// The buffers libpng fills besides the picture: rgba, the rows of a file without a colour table
// before they are split into colours and alpha; rows, the pointers to each row. A picture too
// large to hold goes row by row (one row in rgba) into reduction, through linear.
struct RowBuffers {
    std::vector<std::uint8_t> rgba;
    std::vector<png_bytep> rows;
    std::optional<BoxReduction> reduction;
    std::vector<LinearPixel> linear;
};

// Where a pass's pixels lie: all of them, or one of the seven of an interlaced picture.
struct PassPlace {
    int rows, columns, firstRow, rowStep, firstColumn, columnStep;
};

PassPlace PlaceOfPass(png_uint_32 width, png_uint_32 height, bool interlaced, int pass) {
    if (!interlaced) return {static_cast<int>(height), static_cast<int>(width), 0, 1, 0, 1};
    return {static_cast<int>(PNG_PASS_ROWS(height, pass)), static_cast<int>(PNG_PASS_COLS(width, pass)),
            static_cast<int>(PNG_PASS_START_ROW(pass)),     1 << PNG_PASS_ROW_SHIFT(pass),
            static_cast<int>(PNG_PASS_START_COL(pass)),     1 << PNG_PASS_COL_SHIFT(pass)};
}

// Every row into the reduction as libpng reads it, an interlaced picture pass by pass (each
// pass of a picture this large has pixels). Called from the frame libpng's errors return to, and
// holds nothing with a destructor.
void ReduceRows(png_structp png, png_infop info, std::span<const png_color> table, RowBuffers& buffers) {
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const bool indexed = !table.empty();
    std::array<LinearPixel, 256> linearTable{};
    png_bytep tableAlpha = nullptr;
    int alphaCount = 0;
    if (indexed) png_get_tRNS(png, info, &tableAlpha, &alphaCount, nullptr);
    for (std::size_t i = 0; i < table.size(); ++i) {
        linearTable[i] = LinearOf({table[i].red, table[i].green, table[i].blue},
                                  static_cast<int>(i) < alphaCount ? tableAlpha[i] : std::uint8_t{255});
    }
    const bool interlaced = png_get_interlace_type(png, info) == PNG_INTERLACE_ADAM7;
    buffers.rgba.resize(png_get_rowbytes(png, info));
    buffers.linear.resize(width);
    for (int pass = 0; pass < (interlaced ? 7 : 1); ++pass) {
        const PassPlace place = PlaceOfPass(width, height, interlaced, pass);
        const auto columns = static_cast<std::size_t>(place.columns);
        for (int row = 0; row < place.rows; ++row) {
            png_read_row(png, buffers.rgba.data(), nullptr);
            const std::uint8_t* const bytes = buffers.rgba.data();
            for (std::size_t x = 0; indexed && x < columns; ++x) {
                if (bytes[x] >= table.size()) png_error(png, "a pixel's colour index lies past the end of the colour table");
                buffers.linear[x] = linearTable[bytes[x]];
            }
            for (std::size_t x = 0; !indexed && x < columns; ++x)
                buffers.linear[x] = LinearOf({bytes[4 * x], bytes[4 * x + 1], bytes[4 * x + 2]}, bytes[4 * x + 3]);
            AddPixels(*buffers.reduction, place.firstRow + row * place.rowStep, place.firstColumn, place.columnStep,
                      std::span(buffers.linear).first(columns));
        }
    }
}

// Everything libpng does, in the one frame its errors return to: every buffer it fills belongs to
// the caller, as a longjmp back here would skip the destructors of this frame's objects.
DecodeOutcome::Status DecodeInFrame(png_structp png, png_infop info, SizesTaken sizes, DecodedPicture& picture,
                                    RowBuffers& buffers, std::string& reason) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        // A size above the user limits stops libpng in the header, after it noted the size.
        picture.width = static_cast<int>(png_get_image_width(png, info));
        picture.height = static_cast<int>(png_get_image_height(png, info));
        const int maxWidth = sizes == SizesTaken::C64Picture ? ScreenshotWidth : MaxScalableSide;
        const int maxHeight = sizes == SizesTaken::C64Picture ? ScreenshotHeight : MaxScalableSide;
        if (picture.width > maxWidth || picture.height > maxHeight) return DecodeOutcome::Status::SizeRefused;
        reason = std::string("libpng: ") + static_cast<PngSource*>(png_get_error_ptr(png))->error.data();
        return DecodeOutcome::Status::Unreadable;
    }
    png_read_info(png, info);
    picture.width = static_cast<int>(png_get_image_width(png, info));
    picture.height = static_cast<int>(png_get_image_height(png, info));
    if (!Takes(sizes, picture.width, picture.height)) return DecodeOutcome::Status::SizeRefused;

    buffers.reduction = RowReductionFor(sizes, picture.width, picture.height);
    SetTransforms(png, info, !buffers.reduction);
    const bool indexed = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
    const auto pixelCount = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * (indexed ? 1 : 4);
    if (png_get_rowbytes(png, info) != rowBytes) png_error(png, "unexpected row layout");

    png_colorp table = nullptr;
    int tableSize = 0;
    if (indexed && png_get_PLTE(png, info, &table, &tableSize) == 0) png_error(png, "no colour table");
    if (buffers.reduction) {
        ReduceRows(png, info, std::span<const png_color>(table, static_cast<std::size_t>(tableSize)), buffers);
        return DecodeOutcome::Status::Decoded;
    }
    picture.rgb.resize(pixelCount);
    picture.alpha.assign(pixelCount, 255);
    if (indexed) picture.indexes.resize(pixelCount);
    else buffers.rgba.resize(pixelCount * 4);
    auto* const bytes = indexed ? picture.indexes.data() : buffers.rgba.data();
    auto& rows = buffers.rows;
    rows.resize(static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        rows[static_cast<std::size_t>(y)] = bytes + static_cast<std::size_t>(y) * rowBytes;
    png_read_image(png, rows.data());

    png_bytep tableAlpha = nullptr;
    int alphaCount = 0;
    if (indexed) png_get_tRNS(png, info, &tableAlpha, &alphaCount, nullptr);
    for (std::size_t i = 0; indexed && i < pixelCount; ++i) {
        const std::uint8_t index = picture.indexes[i];
        if (index >= tableSize) png_error(png, "a pixel's colour index lies past the end of the colour table");
        picture.rgb[i] = {table[index].red, table[index].green, table[index].blue};
        if (index < alphaCount) picture.alpha[i] = tableAlpha[index];
    }
    if (!indexed) TakeRgbaRows(picture, buffers.rgba, rowBytes);
    return DecodeOutcome::Status::Decoded;
}

}  // namespace

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes) {
    DecodeOutcome outcome;
    PngSource source{file};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &source, KeepError, IgnoreWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        outcome.reason = "libpng: out of memory";
        return outcome;
    }
    png_set_read_fn(png, &source, ReadFromSpan);
    // A declared size beyond the largest one taken is refused in the header, before any row.
    if (sizes == SizesTaken::C64Picture) png_set_user_limits(png, ScreenshotWidth, ScreenshotHeight);
    else png_set_user_limits(png, MaxScalableSide, MaxScalableSide);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    // Every chunk's CRC already tells damage; the image data's second checksum costs a tenth of
    // the decoding time.
    png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
    RowBuffers buffers;
    outcome.status = DecodeInFrame(png, info, sizes, outcome.picture, buffers, outcome.reason);
    png_destroy_read_struct(&png, &info, nullptr);
    if (outcome.status == DecodeOutcome::Status::Decoded && buffers.reduction)
        FinishRowReduction(*buffers.reduction, outcome);
    if (outcome.status != DecodeOutcome::Status::Decoded) {
        outcome.picture.rgb.clear();
        outcome.picture.indexes.clear();
        outcome.picture.alpha.clear();
    }
    return outcome;
}

}  // namespace pxm

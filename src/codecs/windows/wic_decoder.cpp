// PNG, GIF, JPEG and TIFF files through the Windows Imaging Component, and WebP, HEIC and AVIF
// files where Windows has their codecs: the first frame (a TIFF's first page), its colour table
// indexes when it has a table, its colours. No exception crosses a COM call: every result is
// checked and turned into the outcome's words.
// wincodecsdk.h declares the metadata readers' class ids, which MinGW's uuid library leaves out:
// defined here, once.
#include <initguid.h>
#include <wincodecsdk.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "lib/reading/picture_decoder.h"
#include "codecs/windows/wic.h"
#include "core/import/box_reduction.h"
#include "core/import/declared_size.h"
#include "core/import/jpeg_size.h"
#include "core/import/orientation.h"
#include "core/import/picture_area.h"

namespace pxm {

namespace {

// One unsigned number of a metadata query ("/logscrdesc/Width"); none when it is not there.
std::optional<int> MetadataNumber(IWICMetadataQueryReader* reader, const wchar_t* query) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::optional<int> number;
    if (SUCCEEDED(reader->GetMetadataByName(query, &value))) {
        if (value.vt == VT_UI2) number = value.uiVal;
        if (value.vt == VT_UI1) number = value.bVal;
    }
    PropVariantClear(&value);
    return number;
}

// The orientation a camera wrote into a JPEG's EXIF block (tag 274 of its first IFD), read by the
// Windows Imaging Component's IFD reader; upright when there is none.
Orientation ExifOrientationOf(IWICImagingFactory* factory, std::span<const std::uint8_t> file) {
    constexpr USHORT OrientationTag = 274;
    const std::optional<Bytes> block = JpegExifBlock(file);
    const std::optional<ExifHeader> header = block ? ExifHeaderOf(*block) : std::nullopt;
    if (!header) return Orientation::Upright;
    ComOwner<IWICMetadataReader> reader;
    ComOwner<IWICPersistStream> persist;
    ComOwner<IWICStream> stream;
    HRESULT result =
        CoCreateInstance(CLSID_WICIfdMetadataReader, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(reader.put()));
    if (SUCCEEDED(result)) result = reader->QueryInterface(IID_PPV_ARGS(persist.put()));
    if (SUCCEEDED(result)) result = factory->CreateStream(stream.put());
    // The IFD's offsets count from the block's TIFF header: the stream starts there.
    if (SUCCEEDED(result))
        result = stream->InitializeFromMemory(const_cast<BYTE*>(block->data()), static_cast<DWORD>(block->size()));
    LARGE_INTEGER firstIfd{};
    firstIfd.QuadPart = static_cast<LONGLONG>(header->firstIfd);
    if (SUCCEEDED(result)) result = stream->Seek(firstIfd, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(result))
        result = persist->LoadEx(stream.get(), nullptr,
                                 header->bigEndian ? WICPersistOptionBigEndian : WICPersistOptionLittleEndian);
    if (FAILED(result)) return Orientation::Upright;
    PROPVARIANT id;
    PropVariantInit(&id);
    id.vt = VT_UI2;
    id.uiVal = OrientationTag;
    PROPVARIANT value;
    PropVariantInit(&value);
    std::optional<unsigned> tag;
    if (SUCCEEDED(reader->GetValue(nullptr, &id, &value)) && value.vt == VT_UI2) tag = value.uiVal;
    PropVariantClear(&value);
    return tag ? OrientationFromTag(*tag) : Orientation::Upright;
}

struct LogicalScreen {
    int width = 0;
    int height = 0;
    std::uint8_t background = 0;
};

std::optional<LogicalScreen> LogicalScreenOf(IWICBitmapDecoder* decoder) {
    ComOwner<IWICMetadataQueryReader> reader;
    if (FAILED(decoder->GetMetadataQueryReader(reader.put()))) return std::nullopt;
    const auto width = MetadataNumber(reader.get(), L"/logscrdesc/Width");
    const auto height = MetadataNumber(reader.get(), L"/logscrdesc/Height");
    if (!width || !height) return std::nullopt;
    const auto background = MetadataNumber(reader.get(), L"/logscrdesc/BackgroundColorIndex");
    return LogicalScreen{*width, *height, static_cast<std::uint8_t>(background.value_or(0))};
}

void PlaceGifFrame(IWICBitmapFrameDecode* frame, GifFramePlace& place) {
    ComOwner<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.put()))) return;
    place.left = MetadataNumber(reader.get(), L"/imgdesc/Left").value_or(0);
    place.top = MetadataNumber(reader.get(), L"/imgdesc/Top").value_or(0);
}

// The colour table of a frame or of the whole file, with alpha; empty when it has none.
template <class Source>
std::vector<WICColor> TableOf(IWICImagingFactory* factory, Source* source) {
    ComOwner<IWICPalette> palette;
    UINT count = 0;
    std::array<WICColor, 256> colours{};
    if (FAILED(factory->CreatePalette(palette.put())) || FAILED(source->CopyPalette(palette.get())) ||
        FAILED(palette->GetColors(static_cast<UINT>(colours.size()), colours.data(), &count)))
        return {};
    return {colours.begin(), colours.begin() + count};
}

// A table's colours (WICColor: alpha, red, green, blue from the top byte down).
std::vector<Rgb> ColoursOf(const std::vector<WICColor>& table) {
    std::vector<Rgb> colours;
    for (const WICColor c : table)
        colours.push_back({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
    return colours;
}

// A table's opacities: a GIF's transparent index or a PNG's tRNS entries; empty when all are opaque.
std::vector<std::uint8_t> AlphaOf(const std::vector<WICColor>& table) {
    std::vector<std::uint8_t> alpha;
    for (const WICColor c : table) alpha.push_back(static_cast<std::uint8_t>(c >> 24));
    if (std::ranges::all_of(alpha, [](std::uint8_t a) { return a == 255; })) alpha.clear();
    return alpha;
}

// Bits per pixel of the indexed formats WIC gives for PNG and GIF frames; none for the others.
std::optional<int> IndexBits(const WICPixelFormatGUID& format) {
    if (format == GUID_WICPixelFormat1bppIndexed) return 1;
    if (format == GUID_WICPixelFormat2bppIndexed) return 2;
    if (format == GUID_WICPixelFormat4bppIndexed) return 4;
    if (format == GUID_WICPixelFormat8bppIndexed) return 8;
    return std::nullopt;
}

// The frame's indexes, one byte each, from its packed rows.
HRESULT ReadIndexes(IWICBitmapFrameDecode* frame, const GifFramePlace& place, int bits, std::vector<std::uint8_t>& out) {
    const auto stride = static_cast<UINT>((place.width * bits + 7) / 8);
    std::vector<BYTE> packed(static_cast<std::size_t>(stride) * static_cast<std::size_t>(place.height));
    const HRESULT result = frame->CopyPixels(nullptr, stride, static_cast<UINT>(packed.size()), packed.data());
    if (FAILED(result)) return result;
    out.resize(static_cast<std::size_t>(place.width) * static_cast<std::size_t>(place.height));
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int y = 0; y < place.height; ++y) {
        const BYTE* row = packed.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < place.width; ++x) {
            const int shift = 8 - bits * (x % perByte + 1);
            out[static_cast<std::size_t>(y) * static_cast<std::size_t>(place.width) + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>((row[x / perByte] >> shift) & mask);
        }
    }
    return S_OK;
}

// The frame converted to 8-bit BGRA, the format every WIC converter reaches from every other (a
// table's colours and their alpha too).
HRESULT BgraOf(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, ComOwner<IWICFormatConverter>& converter) {
    HRESULT result = factory->CreateFormatConverter(converter.put());
    if (SUCCEEDED(result))
        result = converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom);
    return result;
}

// The colours of a frame without a table.
HRESULT ReadColours(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, DecodedPicture& picture) {
    ComOwner<IWICFormatConverter> converter;
    HRESULT result = BgraOf(factory, frame, converter);
    const auto stride = static_cast<UINT>(picture.width * 4);
    std::vector<BYTE> bgra(static_cast<std::size_t>(stride) * static_cast<std::size_t>(picture.height));
    if (SUCCEEDED(result)) result = converter->CopyPixels(nullptr, stride, static_cast<UINT>(bgra.size()), bgra.data());
    if (FAILED(result)) return result;
    picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    picture.alpha.resize(picture.rgb.size());
    for (std::size_t i = 0; i < picture.rgb.size(); ++i) {
        picture.rgb[i] = {bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]};
        picture.alpha[i] = bgra[4 * i + 3];
    }
    return S_OK;
}

// A picture too large to hold: the frame's rows, a band at a time, into the reduction at its
// place on the screen.
HRESULT ReduceFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, const GifFramePlace& place,
                    BoxReduction& reduction) {
    constexpr int BandRows = 16;
    ComOwner<IWICFormatConverter> converter;
    const HRESULT result = BgraOf(factory, frame, converter);
    if (FAILED(result)) return result;
    const auto stride = static_cast<UINT>(place.width * 4);
    std::vector<BYTE> band(static_cast<std::size_t>(stride) * BandRows);
    std::vector<LinearPixel> row(static_cast<std::size_t>(place.width));
    for (int top = 0; top < place.height; top += BandRows) {
        const int rows = std::min(BandRows, place.height - top);
        const WICRect rect{0, top, place.width, rows};
        if (const HRESULT copied = converter->CopyPixels(&rect, stride, stride * static_cast<UINT>(rows), band.data());
            FAILED(copied))
            return copied;
        for (int y = 0; y < rows; ++y) {
            const BYTE* bgra = band.data() + static_cast<std::size_t>(y) * stride;
            for (std::size_t x = 0; x < row.size(); ++x)
                row[x] = LinearOf({bgra[4 * x + 2], bgra[4 * x + 1], bgra[4 * x]}, bgra[4 * x + 3]);
            AddPixels(reduction, place.top + top + y, place.left, 1, row);
        }
    }
    return S_OK;
}

// Everything after the decoder is open; the outcome's status stays Unreadable on failure.
// orientation: how the picture is to be turned for showing (a JPEG's EXIF orientation).
void DecodeFirstFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, PictureKind kind, Orientation orientation,
                      SizesTaken sizes, DecodeOutcome& outcome) {
    const bool gif = kind == PictureKind::Gif;
    ComOwner<IWICBitmapFrameDecode> frame;
    HRESULT result = decoder->GetFrame(0, frame.put());
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(result)) result = frame->GetSize(&width, &height);
    if (FAILED(result)) {
        outcome.reason = WicFailureText(result);
        return;
    }
    GifFramePlace place{0, 0, static_cast<int>(width), static_cast<int>(height)};
    DecodedPicture& picture = outcome.picture;
    picture.width = place.width;
    picture.height = place.height;
    std::uint8_t background = 0;
    if (gif) {
        const std::optional<LogicalScreen> screen = LogicalScreenOf(decoder);
        if (screen) {
            picture.width = screen->width;
            picture.height = screen->height;
            background = screen->background;
        }
        PlaceGifFrame(frame.get(), place);
    }
    // The size first: the pixels of a picture of a size that is not taken are never decoded.
    if (const PictureSize shown = ShownSize(picture.width, picture.height, orientation);
        !Takes(sizes, shown.width, shown.height)) {
        picture.width = shown.width;
        picture.height = shown.height;
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return;
    }
    // As the Linux converter's libraries, which give such a picture only whole.
    if (DecodedWhole(kind) && !DecodedWholeFits(picture.width, picture.height)) {
        outcome.status = DecodeOutcome::Status::MemoryRefused;
        return;
    }
    if (!FrameOnScreen(place, picture.width, picture.height)) {
        outcome.reason = GifFrameErrorText(GifFrameError::OutsideScreen);
        return;
    }

    WICPixelFormatGUID format{};
    result = frame->GetPixelFormat(&format);
    // WIC's JPEG decoder gives a CMYK or YCCK file as CMYK, which its format converter shows in RGB.
    outcome.printColours = SUCCEEDED(result) && format == GUID_WICPixelFormat32bppCMYK;
    std::optional<BoxReduction> reduction = RowReductionFor(sizes, picture.width, picture.height, orientation);
    if (SUCCEEDED(result) && reduction) {
        result = ReduceFrame(factory, frame.get(), place, *reduction);
        if (SUCCEEDED(result) && gif) {
            const std::vector<Rgb> screenTable = ColoursOf(TableOf(factory, decoder));
            const Status<GifFrameError> around = ReduceScreenAroundFrame(
                {picture.width, picture.height, background, screenTable}, place, ColoursOf(TableOf(factory, frame.get())),
                *reduction);
            if (!around) outcome.reason = GifFrameErrorText(around.error());
        }
        if (FAILED(result)) outcome.reason = WicFailureText(result);
        if (!outcome.reason.empty()) return;
        FinishRowReduction(*reduction, outcome);
        const BoxFactors factors = outcome.reduction;
        picture = Oriented(std::move(picture), orientation);
        outcome.reduction = SwapsSides(orientation) ? BoxFactors{factors.y, factors.x} : factors;
        return;
    }
    // Only a PNG's or GIF's table indexes are read, as libpng and giflib give them; a TIFF's
    // colours, as libtiff gives them.
    const bool tableRead = gif || kind == PictureKind::Png;
    const std::optional<int> bits = SUCCEEDED(result) && tableRead ? IndexBits(format) : std::nullopt;
    if (SUCCEEDED(result) && !bits) result = ReadColours(factory, frame.get(), picture);
    if (SUCCEEDED(result) && bits) {
        std::vector<std::uint8_t> indexes;
        result = ReadIndexes(frame.get(), place, *bits, indexes);
        const std::vector<WICColor> frameColours = TableOf(factory, frame.get());
        const std::vector<Rgb> frameTable = ColoursOf(frameColours);
        const std::vector<Rgb> screenTable = gif ? ColoursOf(TableOf(factory, decoder)) : std::vector<Rgb>{};
        // An indexed PNG is one frame that covers its whole screen.
        if (SUCCEEDED(result)) {
            Result<DecodedPicture, GifFrameError> composed = ComposeGifPicture(
                {picture.width, picture.height, background, screenTable}, place, indexes, frameTable,
                AlphaOf(frameColours));
            if (composed)
                picture = std::move(*composed);
            else
                outcome.reason = GifFrameErrorText(composed.error());
        }
    }
    if (FAILED(result)) outcome.reason = WicFailureText(result);
    if (!outcome.reason.empty()) return;
    picture = Oriented(std::move(picture), orientation);
    outcome.status = DecodeOutcome::Status::Decoded;
}

DecodeOutcome Decode(std::span<const std::uint8_t> file, PictureKind kind, const GUID& container, SizesTaken sizes) {
    DecodeOutcome outcome;
    // A size that is not taken (a JPEG's however its EXIF orientation turns it) is refused from
    // the file's header, before WIC reads any of it.
    const std::optional<DeclaredSize> declared = DeclaredSizeOf(kind, file);
    if (declared && !(kind == PictureKind::Jpeg ? TakesTurnedEitherWay(sizes, declared->width, declared->height)
                                                : Takes(sizes, declared->width, declared->height))) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        outcome.picture.width = declared->width;
        outcome.picture.height = declared->height;
        return outcome;
    }
    // A JPEG's size is in a marker segment that may come late; WIC is not given a file whose
    // size could not be checked.
    if (!declared && kind == PictureKind::Jpeg) {
        outcome.reason = "no frame header before the picture data";
        return outcome;
    }
    ComOwner<IWICImagingFactory> factory;
    ComOwner<IWICStream> stream;
    ComOwner<IWICBitmapDecoder> decoder;
    HRESULT result = CreateImagingFactory(factory);
    if (SUCCEEDED(result)) result = factory->CreateStream(stream.put());
    // WIC only reads the memory; its interface just lacks the const.
    if (SUCCEEDED(result))
        result = stream->InitializeFromMemory(const_cast<BYTE*>(file.data()), static_cast<DWORD>(file.size()));
    if (SUCCEEDED(result)) result = factory->CreateDecoder(container, nullptr, decoder.put());
    if (SUCCEEDED(result)) result = decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand);
    // No decoder for the container: a codec Windows may lack (WebP, HEIF) is not installed.
    if (result == WINCODEC_ERR_COMPONENTNOTFOUND) {
        outcome.status = DecodeOutcome::Status::CodecMissing;
        return outcome;
    }
    if (FAILED(result)) {
        outcome.reason = WicFailureText(result);
        return outcome;
    }
    const Orientation orientation =
        kind == PictureKind::Jpeg ? ExifOrientationOf(factory.get(), file) : Orientation::Upright;
    DecodeFirstFrame(factory.get(), decoder.get(), kind, orientation, sizes, outcome);
    if (outcome.status != DecodeOutcome::Status::Decoded) {
        outcome.picture.rgb.clear();
        outcome.picture.indexes.clear();
        outcome.picture.alpha.clear();
    }
    return outcome;
}

}  // namespace

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, PictureKind::Png, GUID_ContainerFormatPng, sizes);
}

DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, PictureKind::Gif, GUID_ContainerFormatGif, sizes);
}

DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, PictureKind::Jpeg, GUID_ContainerFormatJpeg, sizes);
}

DecodeOutcome DecodeWebp(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, PictureKind::Webp, GUID_ContainerFormatWebp, sizes);
}

DecodeOutcome DecodeTiff(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, PictureKind::Tiff, GUID_ContainerFormatTiff, sizes);
}

// Windows's HEIF codec reads both; an AVIF file needs an AV1 codec besides.
DecodeOutcome DecodeHeif(std::span<const std::uint8_t> file, SizesTaken sizes) {
    return Decode(file, KindOfPicture(file), GUID_ContainerFormatHeif, sizes);
}

}  // namespace pxm

// The preview and the clash map through the Windows Imaging Component's PNG encoder, into a
// stream in memory.
#include "lib/output/preview_png.h"

#include <vector>

#include "codecs/windows/wic.h"

namespace pxm {

namespace {

// The encoder's output, copied out of the memory stream it went to.
HRESULT StreamBytes(IStream* stream, std::vector<std::uint8_t>& bytes) {
    ULARGE_INTEGER size{};
    HRESULT result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &size);
    if (SUCCEEDED(result)) result = stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
    if (FAILED(result)) return result;
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    ULONG read = 0;
    result = stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    if (SUCCEEDED(result) && read != bytes.size()) result = E_FAIL;
    return result;
}

HRESULT Encode(std::span<const Rgb> pixels, int width, int height, std::vector<std::uint8_t>& bytes) {
    const auto stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> bgr(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        bgr[3 * i] = pixels[i].b;
        bgr[3 * i + 1] = pixels[i].g;
        bgr[3 * i + 2] = pixels[i].r;
    }
    ComOwner<IWICImagingFactory> factory;
    ComOwner<IStream> stream;
    ComOwner<IWICBitmapEncoder> encoder;
    ComOwner<IWICBitmapFrameEncode> frame;
    ComOwner<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    HRESULT result = CreateImagingFactory(factory);
    if (SUCCEEDED(result)) result = CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
    if (SUCCEEDED(result)) result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put());
    if (SUCCEEDED(result)) result = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(frame.put(), options.put());
    if (SUCCEEDED(result)) result = frame->Initialize(options.get());
    if (SUCCEEDED(result)) result = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height));
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&format);
    // The encoder may only offer another format; the bytes are BGR, so that would be wrong.
    if (SUCCEEDED(result) && format != GUID_WICPixelFormat24bppBGR) result = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(result))
        result = frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(bgr.size()), bgr.data());
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    if (SUCCEEDED(result)) result = StreamBytes(stream.get(), bytes);
    return result;
}

}  // namespace

EncodedPng EncodePng(std::span<const Rgb> pixels, int width, int height) {
    std::vector<std::uint8_t> bytes;
    if (const HRESULT result = Encode(pixels, width, height, bytes); FAILED(result))
        return Fail(EncoderFailure{WicFailureText(result)});
    return bytes;
}

}  // namespace pxm

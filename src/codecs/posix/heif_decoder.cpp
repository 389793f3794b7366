// HEIC and AVIF files through libheif (with libde265 and dav1d or libaom as Debian builds it),
// loaded when the first one comes (heif_library.h): the primary picture, turned and cropped as the
// file says, as 8-bit RGBA.

#include <memory>
#include <optional>
#include <string>

#include "lib/reading/picture_decoder.h"
#include "codecs/posix/heif_library.h"

namespace pxm {

namespace {

// Owners that release through the loaded library.
template <class Object, auto Release>
struct Releaser {
    void operator()(Object* object) const { (LoadedLibheif()->*Release)(object); }
};
using ContextOwner = std::unique_ptr<heif_context, Releaser<heif_context, &HeifFunctions::contextFree>>;
using HandleOwner = std::unique_ptr<heif_image_handle, Releaser<heif_image_handle, &HeifFunctions::handleRelease>>;
using ImageOwner = std::unique_ptr<heif_image, Releaser<heif_image, &HeifFunctions::imageRelease>>;

std::string LibheifWords(const heif_error& error) {
    return std::string("libheif: ") + (error.message != nullptr ? error.message : "cannot decode it");
}

}  // namespace

DecodeOutcome DecodeHeif(std::span<const std::uint8_t> file, SizesTaken sizes) {
    DecodeOutcome outcome;
    DecodedPicture& picture = outcome.picture;
    const HeifFunctions* const heif = LoadedLibheif();
    if (heif == nullptr) {
        outcome.status = DecodeOutcome::Status::CodecMissing;
        return outcome;
    }
    const ContextOwner context(heif->contextAlloc());
    if (!context) {
        outcome.reason = "libheif: out of memory";
        return outcome;
    }
    // libheif refuses a larger side (of any picture the file holds) as it reads the boxes; the
    // primary picture's size is checked below.
    heif->setMaximumImageSizeLimit(context.get(), MaxScalableSide);
    heif_error error = heif->readFromMemoryWithoutCopy(context.get(), file.data(), file.size(), nullptr);
    heif_image_handle* rawHandle = nullptr;
    if (error.code == heif_error_Ok) error = heif->getPrimaryImageHandle(context.get(), &rawHandle);
    const HandleOwner handle(rawHandle);
    if (error.code != heif_error_Ok) {
        outcome.reason = LibheifWords(error);
        return outcome;
    }
    // The size shown (after the file's turns), from the boxes, before any pixel is decoded.
    picture.width = heif->handleGetWidth(handle.get());
    picture.height = heif->handleGetHeight(handle.get());
    if (const std::optional<DecodeOutcome::Status> refused = WholeSizeRefused(sizes, picture.width, picture.height)) {
        outcome.status = *refused;
        return outcome;
    }
    heif_image* rawImage = nullptr;
    error = heif->decodeImage(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
    const ImageOwner image(rawImage);
    if (error.code != heif_error_Ok) {
        outcome.reason = LibheifWords(error);
        return outcome;
    }
    int stride = 0;
    const std::uint8_t* rgba = heif->imageGetPlaneReadonly(image.get(), heif_channel_interleaved, &stride);
    if (rgba == nullptr || heif->imageGetWidth(image.get(), heif_channel_interleaved) != picture.width ||
        heif->imageGetHeight(image.get(), heif_channel_interleaved) != picture.height ||
        heif->imageGetBitsPerPixelRange(image.get(), heif_channel_interleaved) != 8 || stride < picture.width * 4) {
        outcome.reason = "libheif: the decoded picture is not the size its file declares";
        return outcome;
    }
    const auto rowBytes = static_cast<std::size_t>(stride);
    TakeRgbaRows(picture,
                 {rgba, rowBytes * static_cast<std::size_t>(picture.height - 1) + static_cast<std::size_t>(picture.width) * 4},
                 rowBytes);
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm

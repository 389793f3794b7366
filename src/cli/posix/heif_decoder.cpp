// HEIC and AVIF files through libheif (with libde265 and dav1d or libaom as Debian builds it): the
// primary picture, turned and cropped as the file says, as 8-bit RGBA.
#include <libheif/heif.h>

#include <memory>
#include <string>

#include "cli/picture_decoder.h"

namespace pxm::cli {

namespace {

struct ContextRelease {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

std::string LibheifWords(const heif_error& error) {
    return std::string("libheif: ") + (error.message != nullptr ? error.message : "cannot decode it");
}

}  // namespace

DecodeOutcome DecodeHeif(std::span<const std::uint8_t> file, SizesTaken sizes) {
    DecodeOutcome outcome;
    DecodedPicture& picture = outcome.picture;
    const std::unique_ptr<heif_context, ContextRelease> context(heif_context_alloc());
    if (!context) {
        outcome.reason = "libheif: out of memory";
        return outcome;
    }
    // libheif refuses a larger side (of any picture the file holds) as it reads the boxes.
    heif_context_set_maximum_image_size_limit(
        context.get(), sizes == SizesTaken::C64Picture ? ScreenshotWidth : MaxScalableSide);
    heif_error error = heif_context_read_from_memory_without_copy(context.get(), file.data(), file.size(), nullptr);
    heif_image_handle* rawHandle = nullptr;
    if (error.code == heif_error_Ok) error = heif_context_get_primary_image_handle(context.get(), &rawHandle);
    const std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);
    if (error.code == heif_error_Memory_allocation_error && error.subcode == heif_suberror_Security_limit_exceeded) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return outcome;
    }
    if (error.code != heif_error_Ok) {
        outcome.reason = LibheifWords(error);
        return outcome;
    }
    // The size shown (after the file's turns), from the boxes, before any pixel is decoded.
    picture.width = heif_image_handle_get_width(handle.get());
    picture.height = heif_image_handle_get_height(handle.get());
    if (!Takes(sizes, picture.width, picture.height)) {
        outcome.status = DecodeOutcome::Status::SizeRefused;
        return outcome;
    }
    heif_image* rawImage = nullptr;
    error = heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, nullptr);
    const std::unique_ptr<heif_image, ImageRelease> image(rawImage);
    if (error.code != heif_error_Ok) {
        outcome.reason = LibheifWords(error);
        return outcome;
    }
    int stride = 0;
    const std::uint8_t* rgba = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    if (rgba == nullptr || heif_image_get_width(image.get(), heif_channel_interleaved) != picture.width ||
        heif_image_get_height(image.get(), heif_channel_interleaved) != picture.height ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8 || stride < picture.width * 4) {
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

}  // namespace pxm::cli

// WebP files through libwebp: a still picture with its decoder, an animation's first frame on its
// canvas with the animation decoder of libwebpdemux. Both give RGBA, alpha unpremultiplied.
#include <webp/decode.h>
#include <webp/demux.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "lib/reading/picture_decoder.h"

namespace pxm {

namespace {

struct StatusWords {
    VP8StatusCode status;
    std::string_view words;
};

constexpr std::array<StatusWords, 5> StatusTexts{{
    {VP8_STATUS_OUT_OF_MEMORY, "out of memory"},
    {VP8_STATUS_INVALID_PARAM, "invalid parameter"},
    {VP8_STATUS_BITSTREAM_ERROR, "damaged picture data"},
    {VP8_STATUS_UNSUPPORTED_FEATURE, "a feature it does not support"},
    {VP8_STATUS_NOT_ENOUGH_DATA, "the file ends early"},
}};

std::string LibwebpWords(VP8StatusCode status) {
    const auto* found = std::ranges::find(StatusTexts, status, &StatusWords::status);
    return std::string("libwebp: ") + std::string(found != StatusTexts.end() ? found->words : "cannot decode it");
}

struct AnimDecoderRelease {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// The first frame of an animation as it shows on the canvas (the canvas's size is the picture's).
bool DecodeFirstFrame(std::span<const std::uint8_t> file, DecodedPicture& picture) {
    WebPAnimDecoderOptions options;
    if (WebPAnimDecoderOptionsInit(&options) == 0) return false;
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData data{file.data(), file.size()};
    const std::unique_ptr<WebPAnimDecoder, AnimDecoderRelease> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    std::uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || WebPAnimDecoderGetInfo(decoder.get(), &info) == 0 ||
        static_cast<int>(info.canvas_width) != picture.width || static_cast<int>(info.canvas_height) != picture.height ||
        WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp) == 0)
        return false;
    const std::size_t stride = static_cast<std::size_t>(picture.width) * 4;
    TakeRgbaRows(picture, {canvas, stride * static_cast<std::size_t>(picture.height)}, stride);
    return true;
}

}  // namespace

DecodeOutcome DecodeWebp(std::span<const std::uint8_t> file, SizesTaken sizes) {
    DecodeOutcome outcome;
    DecodedPicture& picture = outcome.picture;
    WebPDecoderConfig config;
    if (WebPInitDecoderConfig(&config) == 0) {
        outcome.reason = LibwebpWords(VP8_STATUS_INVALID_PARAM);
        return outcome;
    }
    // The size (an animation's canvas) from the headers, before any pixel is decoded.
    if (const VP8StatusCode status = WebPGetFeatures(file.data(), file.size(), &config.input); status != VP8_STATUS_OK) {
        outcome.reason = LibwebpWords(status);
        return outcome;
    }
    picture.width = config.input.width;
    picture.height = config.input.height;
    if (const std::optional<DecodeOutcome::Status> refused = WholeSizeRefused(sizes, picture.width, picture.height)) {
        outcome.status = *refused;
        return outcome;
    }
    if (config.input.has_animation != 0) {
        if (!DecodeFirstFrame(file, picture)) {
            outcome.reason = LibwebpWords(VP8_STATUS_BITSTREAM_ERROR);
            picture.rgb.clear();
            picture.alpha.clear();
            return outcome;
        }
        outcome.status = DecodeOutcome::Status::Decoded;
        return outcome;
    }
    // Decoded straight into a buffer of the converter's.
    const std::size_t stride = static_cast<std::size_t>(picture.width) * 4;
    std::vector<std::uint8_t> rgba(stride * static_cast<std::size_t>(picture.height));
    config.output.colorspace = MODE_RGBA;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = rgba.data();
    config.output.u.RGBA.stride = static_cast<int>(stride);
    config.output.u.RGBA.size = rgba.size();
    const VP8StatusCode status = WebPDecode(file.data(), file.size(), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK) {
        outcome.reason = LibwebpWords(status);
        return outcome;
    }
    TakeRgbaRows(picture, rgba, stride);
    outcome.status = DecodeOutcome::Status::Decoded;
    return outcome;
}

}  // namespace pxm

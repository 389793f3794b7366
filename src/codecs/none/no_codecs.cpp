// The library without picture decoders and PNG writer: where the caller decodes pictures itself
// (the browser) and passes their pixels. Each kind is reported as a codec not built in.
#include "lib/output/preview_png.h"
#include "lib/reading/picture_decoder.h"

namespace pxm {

namespace {

DecodeOutcome NotBuiltIn(std::span<const std::uint8_t>, SizesTaken) {
    DecodeOutcome outcome;
    outcome.status = DecodeOutcome::Status::CodecMissing;
    return outcome;
}

}  // namespace

DecodeOutcome DecodePng(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }
DecodeOutcome DecodeGif(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }
DecodeOutcome DecodeJpeg(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }
DecodeOutcome DecodeWebp(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }
DecodeOutcome DecodeTiff(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }
DecodeOutcome DecodeHeif(std::span<const std::uint8_t> file, SizesTaken sizes) { return NotBuiltIn(file, sizes); }

EncodedPng EncodePng(std::span<const Rgb>, int, int) {
    return Fail(EncoderFailure{"PNG files are not written by this build"});
}

}  // namespace pxm

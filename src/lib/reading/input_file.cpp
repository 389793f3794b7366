#include "lib/reading/input_file.h"

#include <algorithm>

#include "core/import/bmp_reader.h"
#include "core/import/picture_kind.h"
#include "lib/reading/rgba_pixels.h"

namespace pxm {

InputFile TakeInput(std::vector<std::uint8_t> bytes, std::size_t maxEncodedBytes) {
    InputFile input;
    input.bytes = std::move(bytes);
    // Only an encoded picture beyond the limit is refused as too long: a C64 file's reader tells
    // its own kind of too long.
    const PictureKind kind = KindOfPicture(input.bytes);
    const bool encoded = kind != PictureKind::Bmp && kind != PictureKind::Unknown;
    input.tooLarge = encoded && input.bytes.size() > maxEncodedBytes;
    input.bytes.resize(std::min(input.bytes.size(), kind == PictureKind::Bmp ? MaxBmpBytes : maxEncodedBytes));
    return input;
}

PictureKind KindOfInput(const InputFile& input) { return input.pixels ? PictureKind::Png : KindOfPicture(input.bytes); }

DecodeOutcome DecodeInput(const InputFile& input, PictureKind kind, SizesTaken sizes) {
    return input.pixels ? DecodeRgba(*input.pixels, sizes) : DecodeOfKind(kind, input.bytes, sizes);
}

}  // namespace pxm

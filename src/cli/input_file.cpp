#include "cli/input_file.h"

#include <algorithm>

#include "cli/cli_options.h"
#include "cli/terminal_message.h"
#include "core/import/bmp_reader.h"
#include "core/import/picture_kind.h"
#include "core/text/messages.h"
#include "platform/file_read.h"
#include "platform/folders.h"

namespace pxm::cli {

namespace {

InputFile Refused(std::string_view caption, std::string_view refusal) {
    InputFile input;
    input.caption = caption;
    input.refusal = refusal;
    return input;
}

InputFile Refused(const Message& message) { return Refused(message.caption, message.text); }

}  // namespace

InputFile ReadInputFile(const std::string& path, std::size_t maxEncodedBytes) {
    if (path != StandardStream && platform::IsFolder(path)) return Refused(RefusalCaption, "This is a folder, not a picture file.");
    // One byte past the limit tells a file that is too long from one that just fits.
    auto read = path == StandardStream ? platform::ReadStandardInputUpTo(maxEncodedBytes + 1)
                                       : platform::ReadFileUpTo(path, maxEncodedBytes + 1);
    if (!read) {
        switch (read.error().step) {
            case platform::ReadFailure::Step::Open:
                return Refused(msg::SystemErrorCaption, platform::SystemErrorText(read.error().error));
            // A failing read is an incomplete file, as in the Windows program.
            case platform::ReadFailure::Step::Read: return Refused(msg::IncompleteFile);
            case platform::ReadFailure::Step::Memory: return Refused(msg::OutOfMemory);
        }
    }
    InputFile input;
    input.bytes = std::move(*read);
    // A BMP is read no further than the reader can ever look; the encoded kinds and the C64 files
    // (no picture signature: PRG, P00, TAP and D64 images) are kept whole up to the limit, but
    // only an encoded picture beyond it is refused as too long here.
    const PictureKind kind = KindOfPicture(input.bytes);
    const bool encoded = kind != PictureKind::Bmp && kind != PictureKind::Unknown;
    input.tooLarge = encoded && input.bytes.size() > maxEncodedBytes;
    input.bytes.resize(std::min(input.bytes.size(), kind == PictureKind::Bmp ? MaxBmpBytes : maxEncodedBytes));
    return input;
}

}  // namespace pxm::cli

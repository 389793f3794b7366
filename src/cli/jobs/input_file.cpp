#include "cli/jobs/input_file.h"

#include "cli/wording/terminal_message.h"
#include "core/text/messages.h"
#include "lib/options.h"
#include "platform/file_read.h"
#include "platform/folders.h"

namespace pxm::cli {

namespace {

Failure<UnreadInput> Refused(std::string_view caption, std::string_view text) { return Fail(UnreadInput{caption, std::string(text)}); }

Failure<UnreadInput> Refused(const Message& message) { return Refused(message.caption, message.text); }

}  // namespace

Result<InputFile, UnreadInput> ReadInputFile(const std::string& path, std::size_t maxEncodedBytes) {
    if (path != StandardStream && platform::IsFolder(path)) return Refused(RefusalCaption, "This is a folder, not a picture file.");
    // One byte past the limit tells a file that is too long from one that just fits.
    auto read = path == StandardStream ? platform::ReadStandardInputUpTo(maxEncodedBytes + 1)
                                       : platform::ReadFileUpTo(path, maxEncodedBytes + 1);
    if (!read) {
        switch (read.error().step) {
            case platform::FileReadFailure::Step::Open:
                return Refused(msg::SystemErrorCaption, platform::SystemErrorText(read.error().error));
            // A failing read is an incomplete file, as in the Windows program.
            case platform::FileReadFailure::Step::Read: return Refused(msg::IncompleteFile);
            case platform::FileReadFailure::Step::Memory: return Refused(msg::OutOfMemory);
        }
    }
    return TakeInput(std::move(*read), maxEncodedBytes);
}

}  // namespace pxm::cli

#include "cli/options/own_palette.h"

#include "cli/jobs/conversion.h"
#include "lib/wording/palette_file_refusal.h"
#include "cli/wording/terminal_message.h"
#include "lib/wording/text_join.h"
#include "core/import/palette_order.h"
#include "core/palette/palette_book.h"
#include "core/palette/palette_file.h"
#include "core/text/messages.h"
#include "platform/file_read.h"
#include "platform/system_error.h"

namespace pxm::cli {

int LoadOwnPalette(const std::string& path, std::ostream& err) {
    // One byte past the limit tells a file that is too long from one that just fits.
    const auto read = platform::ReadFileUpTo(path, MaxPaletteFileBytes + 1);
    if (!read) {
        if (read.error().step == platform::FileReadFailure::Step::Open) {
            Show(err, msg::SystemErrorCaption, path, platform::SystemErrorText(read.error().error));
        } else {
            const Message& message = read.error().step == platform::FileReadFailure::Step::Memory ? msg::OutOfMemory : msg::IncompleteFile;
            Show(err, message.caption, path, message.text);
        }
        return ExitRefused;
    }
    if (read->size() > MaxPaletteFileBytes) {
        Show(err, RefusalCaption, PaletteFileTooLargeText(path));
        return ExitRefused;
    }
    const auto palette = ReadPaletteFile(*read);
    if (!palette) {
        Show(err, RefusalCaption, PaletteFileRefusalText(palette.error(), path));
        return ExitRefused;
    }
    // Only a warning: a palette of one's own design (a monochrome screen's greys, say) may fit a
    // listed shape by chance.
    if (const std::optional<EntryOutOfOrder> misplaced = FirstEntryOutOfOrder(*palette))
        err << "pixmosaic-cli: warning: " << PaletteOrderWarningText(*misplaced, (*palette)[misplaced->entry], path) << '\n';
    SetOwnPalette(path, *palette);
    return ExitWritten;
}

}  // namespace pxm::cli

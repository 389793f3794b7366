#include "cli/picture_output.h"

#include <optional>
#include <span>
#include <vector>

#include "cli/container_refusal.h"
#include "cli/converter.h"
#include "cli/executable.h"
#include "cli/image_output.h"
#include "cli/program_name.h"
#include "cli/terminal_message.h"
#include "core/export/picture_file.h"
#include "platform/file_write.h"
#include "platform/system_error.h"

namespace pxm::cli {

namespace {

// Writes the file safely, or tells why not; false then.
bool WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, std::ostream& err) {
    const Status<platform::SystemError> written = platform::WriteFileReplacing(path, bytes);
    if (!written) Show(err, msg::SystemErrorCaption, platform::SystemErrorText(written.error()));
    return written.ok();
}

// The C64 file the options ask for, or nothing when the container refused it (told on err).
std::optional<std::vector<std::uint8_t>> BuildC64File(const KoalaImage& image, const CliOptions& options,
                                                      std::ostream& out, std::ostream& err) {
    const Container container = ChosenContainer(options);
    // A program is named after the output file unless a name is given.
    Result<PictureFile, TooLargeForDisk> file =
        options.executable
            ? BuildExecutableFile(image, options.format, container, options.fixSp2Flaw,
                                  options.c64Name.empty() ? ProgramName(options.output) : options.c64Name)
            : BuildPictureFile(image, options.format, container, options.fixSp2Flaw, options.c64Name);
    if (!file) {
        Show(err, RefusalCaption, ContainerRefusalText(file.error()));
        return std::nullopt;
    }
    // The Windows program tells of the correction before it creates the file.
    if (file->sp2Corrected) out << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
    return std::move(file->bytes);
}

}  // namespace

int WritePictureOutput(const KoalaImage& image, const CliOptions& options, std::size_t palette, std::ostream& out,
                       std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    if (const std::optional<ImageOutput> kind = ChosenImageOutput(options)) {
        ImageFile file = BuildImageFile(image, *kind, C64Palettes[palette]);
        if (!file.error.empty()) {
            Show(err, msg::SystemErrorCaption, file.error);
            return ExitRefused;
        }
        bytes = std::move(file.bytes);
    } else {
        std::optional<std::vector<std::uint8_t>> file = BuildC64File(image, options, out, err);
        if (!file) return ExitRefused;
        bytes = std::move(*file);
    }
    out.flush();
    if (!WriteOutput(options.output, bytes, err)) return ExitRefused;

    if (!options.preview.empty()) {
        const ImageFile png = BuildImageFile(image, ImageOutput::Png, C64Palettes[palette]);
        if (!png.error.empty()) {
            Show(err, msg::SystemErrorCaption, png.error);
            return ExitRefused;
        }
        if (!WriteOutput(options.preview, png.bytes, err)) return ExitRefused;
    }
    return ExitWritten;
}

}  // namespace pxm::cli

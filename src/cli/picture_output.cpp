#include "cli/picture_output.h"

#include "cli/converter.h"
#include "cli/executable.h"
#include "cli/image_output.h"
#include "cli/output_file.h"
#include "cli/program_name.h"
#include "cli/terminal_message.h"
#include "core/export/picture_file.h"

namespace pxm::cli {

namespace {

// Writes the file, or tells why not; false then.
bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes, std::ostream& err) {
    if (const std::string error = WriteFileReplacing(path, bytes); !error.empty()) {
        Show(err, msg::SystemErrorCaption, error);
        return false;
    }
    return true;
}

std::vector<std::uint8_t> BuildC64File(const KoalaImage& image, const CliOptions& options, std::ostream& out,
                                       std::ostream& err, bool& refused) {
    const Container container = ChosenContainer(options);
    // A program is named after the output file unless a name is given.
    PictureFile file =
        options.executable
            ? BuildExecutableFile(image, options.format, container, options.fixSp2Flaw,
                                  options.c64Name.empty() ? ProgramName(options.output) : options.c64Name)
            : BuildPictureFile(image, options.format, container, options.fixSp2Flaw, options.c64Name);
    refused = !file.refusal.empty();
    if (refused) Show(err, RefusalCaption, file.refusal);
    // The Windows program tells of the correction before it creates the file.
    if (!refused && file.sp2Corrected) out << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
    return std::move(file.bytes);
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
        bool refused = false;
        bytes = BuildC64File(image, options, out, err, refused);
        if (refused) return ExitRefused;
    }
    out.flush();
    if (!Write(options.output, bytes, err)) return ExitRefused;

    if (!options.preview.empty()) {
        const ImageFile png = BuildImageFile(image, ImageOutput::Png, C64Palettes[palette]);
        if (!png.error.empty()) {
            Show(err, msg::SystemErrorCaption, png.error);
            return ExitRefused;
        }
        if (!Write(options.preview, png.bytes, err)) return ExitRefused;
    }
    return ExitWritten;
}

}  // namespace pxm::cli

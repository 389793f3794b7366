#include "cli/file_info.h"

#include "cli/c64_conversion.h"
#include "cli/c64_info.h"
#include "cli/c64_refusal.h"
#include "cli/conversion.h"
#include "cli/input_file.h"
#include "cli/nearest_conversion.h"
#include "cli/picture_info.h"
#include "cli/showing_program_layout.h"
#include "cli/text_join.h"
#include "core/c64read/c64_picture_reader.h"
#include "core/text/messages.h"

namespace pxm::cli {

namespace {

InfoBlock C64FileInfo(const InputFile& input, const CliOptions& options) {
    const Result<C64Picture, ReadFailure> picture =
        ReadC64Picture(input.bytes, {.diskFile = options.diskFile, .programs = &ConverterProgramLayout()});
    if (!picture) {
        // A disk without pictures is still listed.
        if (picture.error().kind == ReadFailureKind::DiskNoPicture) return {DiskListingText(input.bytes), {}};
        return {{}, C64RefusalText(picture.error())};
    }
    if (!options.diskFile.empty() && picture->container != Container::D64)
        return {{}, Join({"--file picks a file on a D64 image; this is a ", ContainerName(picture->container), "."})};
    std::string text = C64InfoText(*picture);
    if (picture->container == Container::D64 && options.diskFile.empty()) text += DiskListingText(input.bytes);
    return {std::move(text), {}};
}

InfoBlock FileInfo(const std::string& path, const CliOptions& options) {
    // As much as --nearest reads, so that the block can tell whether it takes the file.
    const InputFile input = ReadInputFile(path, MaxScalableFileBytes);
    if (!input.refusal.empty()) return {{}, input.refusal};
    return IsC64Input(input) ? C64FileInfo(input, options) : PictureInfo(input, options);
}

}  // namespace

int ShowFileInfo(const CliOptions& options, std::ostream& out) {
    int status = ExitWritten;
    for (std::size_t i = 0; i < options.inputs.size(); ++i) {
        const std::string& path = options.inputs[i];
        const InfoBlock block = FileInfo(path, options);
        out << (i == 0 ? "" : "\n") << "File: " << PathName(path, true) << '\n' << AnsiToUtf8(block.text);
        if (!block.refusal.empty()) {
            out << "Not read: " << AnsiToUtf8(block.refusal) << '\n';
            status = ExitRefused;
        }
    }
    return status;
}

}  // namespace pxm::cli

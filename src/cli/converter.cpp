#include "cli/converter.h"

#include <memory>
#include <optional>

#include "cli/clash_map_file.h"
#include "cli/cli_options.h"
#include "cli/container_refusal.h"
#include "cli/executable.h"
#include "cli/failure_detail.h"
#include "cli/help_text.h"
#include "cli/input_file.h"
#include "cli/nearest_conversion.h"
#include "cli/picture_reading.h"
#include "cli/preview_png.h"
#include "cli/program_name.h"
#include "cli/text_join.h"
#include "core/export/picture_file.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/colour_names.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize_step.h"
#include "core/koala/working_backgrounds.h"
#include "core/text/messages.h"
#include "core/view/preview.h"
#include "platform/file_write.h"

namespace pxm::cli {

namespace {

constexpr std::string_view RefusalCaption = "Error";

// A message box as a terminal line: "Caption: text", line breaks kept.
void Show(std::ostream& err, std::string_view caption, std::string_view ansiText) {
    err << caption << ": " << AnsiToUtf8(ansiText) << '\n';
}

void Show(std::ostream& err, const Message& message) { Show(err, message.caption, message.text); }

// Writes the file safely; the system's words when that failed, else nothing.
std::string WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes) {
    const Status<platform::SystemError> written = platform::WriteFileReplacing(path, bytes);
    return written ? std::string{} : platform::SystemErrorText(written.error());
}

int ShowUsageError(std::ostream& err, std::string_view error) {
    err << "pixmosaic-cli: " << error << '\n' << UsageLine << "Try 'pixmosaic-cli --help' for more information.\n";
    return ExitUsage;
}

// "Backgrounds that work: black, blue, light grey." or "... none."
std::string BackgroundsText(const std::vector<std::uint8_t>& backgrounds) {
    std::string text = "Backgrounds that work: ";
    if (backgrounds.empty()) text += "none";
    for (std::size_t i = 0; i < backgrounds.size(); ++i) text += Join({i == 0 ? "" : ", ", ColourName(backgrounds[i])});
    return text + ".";
}

}  // namespace

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine command = ParseCommandLine(args);
    switch (command.action) {
        case ParsedCommandLine::Action::Help: out << HelpText(); return ExitWritten;
        case ParsedCommandLine::Action::Version: out << VersionText; return ExitWritten;
        case ParsedCommandLine::Action::UsageError: return ShowUsageError(err, command.error);
        case ParsedCommandLine::Action::Convert: break;
    }
    const CliOptions& options = command.options;
    if (const std::string error = ClashMapTargetError(options); !error.empty()) return ShowUsageError(err, error);

    const InputFile input = ReadInputFile(options.input, options.nearest ? MaxScalableFileBytes : MaxEncodedPictureBytes);
    if (!input.systemError.empty()) {
        Show(err, msg::SystemErrorCaption, input.systemError);
        return ExitRefused;
    }
    if (input.error != nullptr) {
        Show(err, *input.error);
        return ExitRefused;
    }

    // The two 32000- and 10001-byte pictures stay off the stack.
    const auto canvas = std::make_unique<Canvas>();
    const auto image = std::make_unique<KoalaImage>();
    const PictureReading picture =
        options.nearest ? ConvertNearest(input, options, *canvas, *image) : ReadPicture(input, options, *canvas);
    switch (picture.outcome) {
        case PictureReading::Outcome::UsageError: return ShowUsageError(err, picture.text);
        case PictureReading::Outcome::Refused:
            Show(err, picture.caption, picture.text);
            if (!picture.detail.empty()) err << picture.detail << '\n';
            return ExitRefused;
        case PictureReading::Outcome::Read: break;
    }
    if (!picture.information.empty()) out << picture.information << '\n';
    if (options.listBackgrounds) out << BackgroundsText(WorkingBackgrounds(*canvas)) << '\n';

    // --nearest has made the picture already.
    const KoalizeOutcome koalized =
        options.nearest ? KoalizeOutcome{} : Koalize(*canvas, *image, options.mode, options.background);
    // Every failing cell, for the refusal's count and the map.
    std::optional<Clashes> clashes;
    if (!options.nearest && (!koalized.ok() || !options.clashMap.empty()))
        clashes = FindClashes(*canvas, options.mode, options.background);
    if (!koalized.ok()) {
        Show(err, FailureMessage(koalized.failure));
        if (const std::string count = ClashCountLine(*clashes, koalized.failure); !count.empty()) err << count << '\n';
        err << FailureDetail(*canvas, picture.source, koalized) << '\n';
    }
    // The map is written whether the picture koalizes or not.
    if (!options.clashMap.empty()) {
        const ClashMapWritten map = options.nearest ? WriteAsReadClashMap(options.clashMap, input, options)
                                                    : ClashMapWritten{WriteClashMap(options.clashMap, *canvas, picture, *clashes), {}};
        if (!map.systemError.empty()) {
            Show(err, msg::SystemErrorCaption, map.systemError);
            return ExitRefused;
        }
        if (!map.notWritten.empty()) err << "pixmosaic-cli: no clash map: " << AnsiToUtf8(map.notWritten) << '\n';
    }
    if (!koalized.ok()) return ExitRefused;
    if (koalized.autoBackground) out << ChosenBackgroundText(ColourName(*koalized.autoBackground)) << '\n';

    const Container container = ChosenContainer(options);
    // A program is named after the output file unless a name is given.
    const Result<PictureFile, TooLargeForDisk> file =
        options.executable
            ? BuildExecutableFile(*image, options.format, container, options.fixSp2Flaw,
                                  options.c64Name.empty() ? ProgramName(options.output) : options.c64Name)
            : BuildPictureFile(*image, options.format, container, options.fixSp2Flaw, options.c64Name);
    if (!file) {
        Show(err, RefusalCaption, ContainerRefusalText(file.error()));
        return ExitRefused;
    }
    // The Windows program tells of the correction before it creates the file.
    if (file->sp2Corrected) out << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
    out.flush();

    if (const std::string error = WriteOutput(options.output, file->bytes); !error.empty()) {
        Show(err, msg::SystemErrorCaption, error);
        return ExitRefused;
    }
    if (!options.preview.empty()) {
        const auto pixels = std::make_unique<PreviewPixels>();
        RenderPreview(*image, C64Palettes[picture.palette], *pixels);
        const EncodedPng png = EncodePreviewPng(*pixels);
        const std::string error = png.error.empty() ? WriteOutput(options.preview, png.bytes) : png.error;
        if (!error.empty()) {
            Show(err, msg::SystemErrorCaption, error);
            return ExitRefused;
        }
    }
    return ExitWritten;
}

}  // namespace pxm::cli

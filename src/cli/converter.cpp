#include "cli/converter.h"

#include <memory>
#include <optional>

#include "cli/c64_conversion.h"
#include "cli/clash_map_file.h"
#include "cli/cli_options.h"
#include "cli/failure_detail.h"
#include "cli/help_text.h"
#include "cli/input_file.h"
#include "cli/picture_reading.h"
#include "cli/picture_output.h"
#include "cli/terminal_message.h"
#include "cli/text_join.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/colour_names.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize_step.h"
#include "core/koala/working_backgrounds.h"
#include "core/text/messages.h"

namespace pxm::cli {

namespace {

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

    const InputFile input = ReadInputFile(options.input);
    if (!input.systemError.empty()) {
        Show(err, msg::SystemErrorCaption, input.systemError);
        return ExitRefused;
    }
    if (input.error != nullptr) {
        Show(err, *input.error);
        return ExitRefused;
    }

    if (IsC64Input(input)) {
        if (!options.koalizingOption.empty())
            return ShowUsageError(err, Join({options.koalizingOption, " is for a picture to koalize; a C64 file keeps its own "
                                             "colours and background"}));
        return ConvertC64Input(input, options, out, err);
    }
    if (options.info) return ShowUsageError(err, "--info describes C64 picture files (PRG, P00, TAP, D64); the input is none");

    // The two 32000- and 10001-byte pictures stay off the stack.
    const auto canvas = std::make_unique<Canvas>();
    const PictureReading picture = ReadPicture(input, options, *canvas);
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

    const auto image = std::make_unique<KoalaImage>();
    const KoalizeOutcome koalized = Koalize(*canvas, *image, options.mode, options.background);
    // Every failing cell, for the refusal's count and the map.
    std::optional<Clashes> clashes;
    if (!koalized.ok() || !options.clashMap.empty()) clashes = FindClashes(*canvas, options.mode, options.background);
    if (!koalized.ok()) {
        Show(err, FailureMessage(koalized.failure));
        if (const std::string count = ClashCountLine(*clashes, koalized.failure); !count.empty()) err << count << '\n';
        err << FailureDetail(*canvas, picture.source, koalized) << '\n';
    }
    // The map is written whether the picture koalizes or not.
    if (!options.clashMap.empty()) {
        if (const std::string error = WriteClashMap(options.clashMap, *canvas, picture, *clashes); !error.empty()) {
            Show(err, msg::SystemErrorCaption, error);
            return ExitRefused;
        }
    }
    if (!koalized.ok()) return ExitRefused;
    if (koalized.autoBackground) out << ChosenBackgroundText(ColourName(*koalized.autoBackground)) << '\n';

    return WritePictureOutput(*image, options, picture.palette, out, err);
}

}  // namespace pxm::cli

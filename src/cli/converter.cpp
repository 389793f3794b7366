#include "cli/converter.h"

#include <memory>

#include "cli/cli_options.h"
#include "cli/executable.h"
#include "cli/failure_detail.h"
#include "cli/help_text.h"
#include "cli/input_file.h"
#include "cli/output_file.h"
#include "cli/program_name.h"
#include "core/export/picture_file.h"
#include "core/import/bmp_reader.h"
#include "core/koala/color_names.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize_step.h"
#include "core/text/messages.h"

namespace pxm::cli {

namespace {

constexpr std::string_view RefusalCaption = "Error";

// A message box as a terminal line: "Caption: text", line breaks kept.
void Show(std::ostream& err, std::string_view caption, std::string_view ansiText) {
    err << caption << ": " << AnsiToUtf8(ansiText) << '\n';
}

void Show(std::ostream& err, const Message& message) { Show(err, message.caption, message.text); }

}  // namespace

int RunConverter(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const ParsedCommandLine command = ParseCommandLine(args);
    switch (command.action) {
        case ParsedCommandLine::Action::Help: out << HelpText(); return ExitWritten;
        case ParsedCommandLine::Action::Version: out << VersionText; return ExitWritten;
        case ParsedCommandLine::Action::UsageError:
            err << "pixmosaic-cli: " << command.error << '\n'
                << UsageLine << "Try 'pixmosaic-cli --help' for more information.\n";
            return ExitUsage;
        case ParsedCommandLine::Action::Convert: break;
    }
    const CliOptions& options = command.options;

    const InputFile input = ReadInputFile(options.input);
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
    const BmpReadResult bmp = ReadBmp(input.bytes, *canvas);
    if (!bmp.ok()) {
        Show(err, *bmp.error);
        return ExitRefused;
    }

    const auto image = std::make_unique<KoalaImage>();
    const KoalizeOutcome koalized = Koalize(*canvas, *image, options.mode, options.background);
    if (!koalized.ok()) {
        Show(err, FailureMessage(koalized.failure));
        err << FailureDetail(*canvas, bmp.info, koalized) << '\n';
        return ExitRefused;
    }
    if (koalized.autoBackground) out << ChosenBackgroundText(ColorName(*koalized.autoBackground)) << '\n';

    const Container container = ChosenContainer(options);
    // A program is named after the output file unless a name is given.
    const PictureFile file =
        options.executable
            ? BuildExecutableFile(*image, options.format, container, options.fixSp2Flaw,
                                  options.c64Name.empty() ? ProgramName(options.output) : options.c64Name)
            : BuildPictureFile(*image, options.format, container, options.fixSp2Flaw, options.c64Name);
    if (!file.refusal.empty()) {
        Show(err, RefusalCaption, file.refusal);
        return ExitRefused;
    }
    // The Windows program tells of the correction before it creates the file.
    if (file.sp2Corrected) out << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
    out.flush();

    if (const std::string error = WriteFileReplacing(options.output, file.bytes); !error.empty()) {
        Show(err, msg::SystemErrorCaption, error);
        return ExitRefused;
    }
    return ExitWritten;
}

}  // namespace pxm::cli

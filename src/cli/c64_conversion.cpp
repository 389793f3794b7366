#include "cli/c64_conversion.h"

#include "cli/c64_info.h"
#include "cli/c64_refusal.h"
#include "cli/showing_program_layout.h"
#include "cli/terminal_message.h"
#include "cli/text_join.h"
#include "core/c64read/c64_picture_reader.h"

namespace pxm::cli {

bool IsC64Input(const InputFile& input) { return IsC64File(input.bytes, &ConverterProgramLayout()); }

int ConvertC64Input(const InputFile& input, const Job& job, const CliOptions& options, const Streams& streams) {
    const Result<C64Picture, ReadFailure> picture =
        ReadC64Picture(input.bytes, {.diskFile = options.diskFile, .programs = &ConverterProgramLayout()});
    if (!picture) {
        Show(streams.err, RefusalCaption, PathName(job.input, true), C64RefusalText(picture.error()));
        return ExitRefused;
    }
    if (!options.diskFile.empty() && picture->container != Container::D64)
        return ShowUsageError(streams.err, Join({"--file picks a file on a D64 image; ", PathName(job.input, true), " is a ",
                                                 ContainerName(picture->container)}));
    for (const std::string& note : C64ReadingNotes(*picture)) streams.info << note << ".\n";
    // Into another container (or a program) the file keeps its format unless -f or the output's
    // name gives one, and with its format its C64 name (a PRG has none: the format's own).
    Job kept = job;
    if (kept.output && !kept.output->formatGiven) kept.output->format = picture->format;
    const bool sameFormat = kept.output && kept.output->format == picture->format;
    // The picture's colours are C64 colour numbers already: a palette only says how PNG, BMP
    // and preview show them.
    const bool named = options.palette && options.palette->kind == PaletteChoice::Kind::Named;
    return WriteJobOutputs(picture->image, kept, options, {named ? options.palette->palette : DefaultPalette, picture->border}, streams,
                           sameFormat ? std::string_view(picture->c64Name) : std::string_view());
}

}  // namespace pxm::cli

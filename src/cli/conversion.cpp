#include "cli/conversion.h"

#include <chrono>
#include <memory>

#include "cli/border_choice.h"
#include "cli/c64_conversion.h"
#include "cli/clash_map_file.h"
#include "cli/container_refusal.h"
#include "cli/disk_output.h"
#include "cli/executable.h"
#include "cli/failure_detail.h"
#include "cli/image_output.h"
#include "cli/input_file.h"
#include "cli/nearest_conversion.h"
#include "cli/picture_reading.h"
#include "cli/preview_png.h"
#include "cli/program_name.h"
#include "cli/terminal_message.h"
#include "cli/text_join.h"
#include "cli/verbose_lines.h"
#include "core/export/picture_file.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/colour_names.h"
#include "core/koala/koala_image.h"
#include "core/koala/koalize_step.h"
#include "core/koala/working_backgrounds.h"
#include "core/palette/palette_book.h"
#include "core/text/messages.h"
#include "core/view/preview.h"
#include "platform/file_write.h"

namespace pxm::cli {

namespace {

// "System Error: pics/a.png: No such file or directory" (the system's own words).
int ShowSystemError(std::ostream& err, std::string_view path, std::string_view text) {
    Show(err, msg::SystemErrorCaption, path, text);
    return ExitRefused;
}

// "Backgrounds that work: black, blue, light grey." or "... none."
std::string BackgroundsText(const std::vector<std::uint8_t>& backgrounds) {
    std::string text = "Backgrounds that work: ";
    if (backgrounds.empty()) text += "none";
    for (std::size_t i = 0; i < backgrounds.size(); ++i) text += Join({i == 0 ? "" : ", ", ColourName(backgrounds[i])});
    return text + ".";
}

// Every file the converter writes goes through here: to path safely (never half a file, never
// the file it replaces lost), or to standard output for "-"; the system's text when that failed.
std::string WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, const Streams& streams) {
    if (path != StandardStream) {
        const Status<platform::SystemError> written = platform::WriteFileReplacing(path, bytes);
        return written ? std::string{} : platform::SystemErrorText(written.error());
    }
    streams.data.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    streams.data.flush();
    return streams.data ? std::string() : std::string("The data could not be written.");
}

// The program's C64 name: --name's, or the output's (the input's on standard output).
std::string ProgramNameFor(const Job& job, const CliOptions& options, const Streams& streams) {
    if (options.c64Name) return *options.c64Name;
    const std::string& named = job.output->path == StandardStream ? job.input : job.output->path;
    const ProgramNameOf name = ProgramName(named);
    if (!name.asTyped)
        streams.info << "C64 name: \"" << name.petscii << "\" (what a C64 can show of " << Quoted(named)
                     << "; --name gives another).\n";
    return name.petscii;
}

}  // namespace

std::string_view PathName(const std::string& path, bool isInput) {
    if (path != StandardStream) return path;
    return isInput ? "standard input" : "standard output";
}

int ConvertPicture(const Job& job, const CliOptions& options, const Streams& streams) {
    const auto started = std::chrono::steady_clock::now();
    const bool verbose = options.verbosity == Verbosity::Verbose;
    const std::string_view inputName = PathName(job.input, true);
    const InputFile input = ReadInputFile(job.input, options.nearest ? MaxScalableFileBytes : MaxEncodedPictureBytes);
    if (!input.refusal.empty()) {
        Show(streams.err, input.caption, inputName, input.refusal);
        return ExitRefused;
    }
    if (IsC64Input(input)) {
        if (!options.koalizingOption.empty())
            return ShowUsageError(streams.err, Join({options.koalizingOption, " is for a picture to koalize; ", inputName,
                                                     " is a C64 file, which keeps its own colours and background"}));
        return ConvertC64Input(input, job, options, streams);
    }
    if (!options.diskFile.empty())
        return ShowUsageError(streams.err, Join({"--file picks a file on a D64 image; ", inputName, " is none"}));

    // The two 32000- and 10001-byte pictures stay off the stack.
    const auto canvas = std::make_unique<Canvas>();
    const auto image = std::make_unique<KoalaImage>();
    const PictureReading picture =
        options.nearest ? ConvertNearest(input, options, *canvas, *image) : ReadPicture(input, options, *canvas);
    if (picture.outcome == PictureReading::Outcome::Refused) {
        Show(streams.err, picture.caption, inputName, WithWayOut(picture.text, picture.nearestMakesIt));
        if (!picture.detail.empty()) streams.err << picture.detail << '\n';
        return ExitRefused;
    }
    if (!picture.information.empty()) streams.info << picture.information << '\n';
    if (verbose && !picture.verbose.empty()) streams.info << picture.verbose << '\n';
    if (options.listBackgrounds) {
        const std::vector<std::uint8_t> working = WorkingBackgrounds(*canvas);
        streams.info << BackgroundsText(working) << '\n';
        if (!job.output) return working.empty() ? ExitRefused : ExitWritten;
    }

    // --nearest has made the picture already.
    const KoalizeOutcome koalized =
        options.nearest ? KoalizeOutcome{} : Koalize(*canvas, *image, options.mode, options.background);
    // Every failing cell, for the refusal's count and the map.
    std::optional<Clashes> clashes;
    if (!options.nearest && (!koalized.ok() || !job.clashMap.empty()))
        clashes = FindClashes(*canvas, options.mode, options.background);
    if (!koalized.ok()) {
        const Message& failed = FailureMessage(koalized.failure);
        // --nearest makes a picture of any colours and cells.
        Show(streams.err, failed.caption, inputName, WithWayOut(failed.text, true));
        if (const std::string count = ClashCountLine(*clashes, koalized.failure); !count.empty())
            streams.err << count << '\n';
        streams.err << FailureDetail(*canvas, picture.source, koalized, *clashes) << '\n';
    }
    // The map is written whether the picture koalizes or not.
    if (!job.clashMap.empty()) {
        const AsReadClashMap map =
            options.nearest ? AsReadClashMapFile(input, options, job.clashMapKind)
                            : AsReadClashMap{ClashMapFile(*canvas, picture, *clashes, job.clashMapKind), {}};
        if (!map.notMade.empty()) {
            streams.err << "pixmosaic-cli: no clash map: " << AnsiToUtf8(map.notMade) << '\n';
        } else {
            const std::string error =
                map.file.error.empty() ? WriteOutput(job.clashMap, map.file.bytes, streams) : map.file.error;
            if (!error.empty()) return ShowSystemError(streams.err, PathName(job.clashMap, false), error);
        }
    }
    if (!koalized.ok()) return ExitRefused;
    if (koalized.autoBackground) streams.info << ChosenBackgroundText(ColourName(*koalized.autoBackground)) << '\n';
    if (verbose && options.mode == PaletteMode::Multicolour)
        streams.info << CellCountsLine(*canvas, (*image)[KoalaBackgroundOffset]) << '\n';

    if (const int status = WriteJobOutputs(*image, job, options, {picture.palette, picture.border}, streams); status != ExitWritten)
        return status;
    if (verbose) streams.info << TimeTakenLine(std::chrono::steady_clock::now() - started) << '\n';
    return ExitWritten;
}

int WriteJobOutputs(const KoalaImage& image, const Job& job, const CliOptions& options, const ShownAs& shown,
                    const Streams& streams, std::string_view c64Name) {
    const OutputPlan& output = *job.output;
    std::vector<std::uint8_t> bytes;
    std::string name;  // of a C64 file, PETSCII
    if (IsPicture(output.kind)) {
        ImageFile file = BuildImageFile(image, output.kind == OutputKind::PicturePng ? ImageOutput::Png : ImageOutput::Bmp,
                                        PaletteAt(shown.palette));
        if (!file.error.empty()) return ShowSystemError(streams.err, PathName(output.path, false), file.error);
        bytes = std::move(file.bytes);
    } else {
        // A file added to a disk is made in its PRG form and named on the disk: as its input on
        // several inputs' disk, else as a disk written anew names it.
        const Container container = job.disk ? Container::Prg : output.container;
        name = job.sharedDisk       ? job.disk->NameOf(job.diskSlot)
               : options.executable ? ProgramNameFor(job, options, streams)
               : options.c64Name    ? *options.c64Name
               : c64Name.empty()    ? std::string(InfoOf(output.format).c64Name)
                                    : std::string(c64Name);
        Result<PictureFile, TooLargeForDisk> file =
            options.executable ? BuildExecutableFile(image, output.format, container, options.fixSp2Flaw, name,
                                                     BorderToShow(options.border, shown.border))
                               : BuildPictureFile(image, output.format, container, options.fixSp2Flaw, name);
        if (!file) {
            Show(streams.err, RefusalCaption, PathName(output.path, false), ContainerRefusalText(file.error()));
            return ExitRefused;
        }
        // The Windows program tells of the correction before it creates the file.
        if (file->sp2Corrected) streams.info << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
        bytes = std::move(file->bytes);
    }
    streams.info.flush();

    if (job.disk) {
        job.disk->Put(job.diskSlot, std::move(bytes), name);
        // Several inputs' disk is written when all are made (RunBatch); one input's now.
        if (!job.sharedDisk) {
            if (const DiskWriting written = job.disk->Write().front(); !written.text.empty()) {
                Show(streams.err, written.caption, written.text);
                return ExitRefused;
            }
        }
    } else if (const std::string error = WriteOutput(output.path, bytes, streams); !error.empty()) {
        return ShowSystemError(streams.err, PathName(output.path, false), error);
    }
    if (!job.preview.empty()) {
        const ImageFile preview = BuildImageFile(image, job.previewKind, PaletteAt(shown.palette));
        const std::string error = preview.error.empty() ? WriteOutput(job.preview, preview.bytes, streams) : preview.error;
        if (!error.empty()) return ShowSystemError(streams.err, PathName(job.preview, false), error);
    }
    return ExitWritten;
}

}  // namespace pxm::cli

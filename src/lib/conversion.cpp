#include "lib/conversion.h"

#include <memory>

#include "core/c64read/c64_picture_reader.h"
#include "core/export/picture_file.h"
#include "core/koala/clashing_cells.h"
#include "core/koala/colour_names.h"
#include "core/koala/koalize_step.h"
#include "core/koala/working_backgrounds.h"
#include "core/palette/palette_book.h"
#include "core/text/messages.h"
#include "lib/output/border_choice.h"
#include "lib/output/clash_map_file.h"
#include "lib/output/executable.h"
#include "lib/output/program_name.h"
#include "lib/output/showing_program_layout.h"
#include "lib/reading/c64_info.h"
#include "lib/reading/nearest_conversion.h"
#include "lib/reading/picture_reading.h"
#include "lib/wording/c64_refusal.h"
#include "lib/wording/container_refusal.h"
#include "lib/wording/failure_detail.h"
#include "lib/wording/picture_refusal.h"
#include "lib/wording/shown_message.h"
#include "lib/wording/text_join.h"
#include "lib/wording/verbose_lines.h"

namespace pxm {

namespace {

Failure<ConversionFailure> Refused() { return Fail(ConversionFailure{}); }

Failure<ConversionFailure> UsageError(std::string text) {
    return Fail(ConversionFailure{ConversionFailure::Kind::Usage, std::move(text), {}});
}

Failure<ConversionFailure> SystemError(std::string text, const std::string& path) {
    return Fail(ConversionFailure{ConversionFailure::Kind::SystemError, std::move(text), std::string(PathName(path, false))});
}

// "Backgrounds that work: black, blue, light grey." or "... none."
std::string BackgroundsText(const std::vector<std::uint8_t>& backgrounds) {
    std::string text = "Backgrounds that work: ";
    if (backgrounds.empty()) text += "none";
    for (std::size_t i = 0; i < backgrounds.size(); ++i) text += Join({i == 0 ? "" : ", ", ColourName(backgrounds[i])});
    return text + ".";
}

// The program's C64 name: --name's, or the output's (the input's on standard output).
std::string ProgramNameFor(const Target& target, const Options& options, const Streams& streams) {
    if (options.c64Name) return *options.c64Name;
    const std::string& named = target.output->path == StandardStream ? target.input : target.output->path;
    const ProgramNameOf name = ProgramName(named);
    if (!name.asTyped)
        streams.info << "C64 name: \"" << name.petscii << "\" (what a C64 can show of " << Quoted(named)
                     << "; --name gives another).\n";
    return name.petscii;
}

// How the input shows its picture: the palette of PNG, BMP and preview outputs, and the border
// of an emulator screenshot or of a program that shows the picture (-x shows it with --border auto).
struct ShownAs {
    std::size_t palette = DefaultPalette;
    std::optional<std::uint8_t> border;
};

// The picture made into the target's files (any format and container, a program that shows it,
// or a PNG or BMP as a C64 shows it in the palette given), then the preview. A picture file is
// named as it goes onto a disk of several inputs, else --name's name, else `c64Name` (PETSCII),
// else its format's own.
Result<Converted, ConversionFailure> MakeFiles(const KoalaImage& image, const OutputPlan& output, const Target& target,
                                               const Options& options, const ShownAs& shown, const Streams& streams,
                                               std::string_view c64Name = {}) {
    Converted made;
    made.image = image;
    made.palette = shown.palette;
    if (IsPicture(output.kind)) {
        ImageFile file = BuildImageFile(image, output.kind == OutputKind::PicturePng ? ImageOutput::Png : ImageOutput::Bmp,
                                        PaletteAt(shown.palette));
        if (!file) return SystemError(file.error().words, output.path);
        made.file = std::move(*file);
    } else {
        const Container container = target.onDisk ? Container::Prg : output.container;
        made.c64Name = target.diskName      ? *target.diskName
                       : options.executable ? ProgramNameFor(target, options, streams)
                       : options.c64Name    ? *options.c64Name
                       : c64Name.empty()    ? std::string(InfoOf(output.format).c64Name)
                                            : std::string(c64Name);
        Result<PictureFile, TooLargeForDisk> file =
            options.executable ? BuildExecutableFile(image, output.format, container, options.fixSp2Flaw, made.c64Name,
                                                     BorderToShow(options.border, shown.border))
                               : BuildPictureFile(image, output.format, container, options.fixSp2Flaw, made.c64Name);
        if (!file) {
            Show(streams.err, RefusalCaption, PathName(output.path, false), ContainerRefusalText(file.error()));
            return Refused();
        }
        // The Windows program tells of the correction before it creates the file.
        if (file->sp2Corrected) streams.info << AnsiToUtf8(msg::Sp2FlawFixed.text) << '\n';
        made.file = std::move(file->bytes);
    }
    if (target.preview) {
        ImageFile preview = BuildImageFile(image, *target.preview, PaletteAt(shown.palette));
        if (!preview) return SystemError(preview.error().words, output.path);
        made.preview = std::move(*preview);
    }
    return made;
}

// A C64 file read as it stands (no koalizing again: the cells keep their colours) and made into
// any format, container, or a PNG or BMP.
Result<Converted, ConversionFailure> ConvertC64File(const InputFile& input, const Target& target, const Options& options,
                                                    const Streams& streams) {
    const std::string_view inputName = PathName(target.input, true);
    if (!options.koalizingOption.empty())
        return UsageError(Join({options.koalizingOption, " is for a picture to koalize; ", inputName,
                                " is a C64 file, which keeps its own colours and background"}));
    const Result<C64Picture, ReadFailure> picture =
        ReadC64Picture(input.bytes, {.diskFile = options.diskFile, .programs = &ConverterProgramLayout()});
    if (!picture) {
        Show(streams.err, RefusalCaption, inputName, C64RefusalText(picture.error()));
        return Refused();
    }
    if (!options.diskFile.empty() && picture->container != Container::D64)
        return UsageError(Join({"--file picks a file on a D64 image; ", inputName, " is a ", ContainerName(picture->container)}));
    for (const std::string& note : C64ReadingNotes(*picture)) streams.info << note << ".\n";
    // Into another container (or a program) the file keeps its format unless -f or the output's
    // name gives one, and with its format its C64 name (a PRG has none: the format's own).
    OutputPlan output = *target.output;
    if (!output.formatGiven) output.format = picture->format;
    const bool sameFormat = output.format == picture->format;
    // The picture's colours are C64 colour numbers already: a palette only says how PNG, BMP
    // and preview show them.
    const bool named = options.palette && options.palette->kind == PaletteChoice::Kind::Named;
    return MakeFiles(picture->image, output, target, options, {named ? options.palette->palette : DefaultPalette, picture->border},
                     streams, sameFormat ? std::string_view(picture->c64Name) : std::string_view());
}

// The clash map of the picture as read: for --nearest, which changes the picture, the map of
// the picture read without it, if it reads so (else a line says why there is none).
std::optional<RgbPicture> ClashMapOf(const Canvas& canvas, const PictureReading& picture, const Clashes* clashes,
                                     const InputFile& input, const Options& options, const Streams& streams) {
    if (clashes) return ClashMapPicture(canvas, picture, *clashes);
    AsReadClashMap map = AsReadClashMapOf(input, options);
    if (!map.map) streams.err << "pixmosaic-cli: no clash map: " << AnsiToUtf8(map.notMade) << '\n';
    return std::move(map.map);
}

}  // namespace

std::string_view PathName(const std::string& path, bool isInput) {
    if (path != StandardStream) return path;
    return isInput ? "standard input" : "standard output";
}

Conversion Convert(const Options& options, const InputFile& input, const Target& target, const Streams& streams) {
    Conversion conversion;
    const bool verbose = options.verbosity == Verbosity::Verbose;
    const std::string_view inputName = PathName(target.input, true);
    if (IsC64File(input.bytes, &ConverterProgramLayout())) {
        conversion.outcome = ConvertC64File(input, target, options, streams);
        return conversion;
    }
    if (!options.diskFile.empty()) {
        conversion.outcome = UsageError(Join({"--file picks a file on a D64 image; ", inputName, " is none"}));
        return conversion;
    }

    // The two 32000- and 10001-byte pictures stay off the stack.
    const auto canvas = std::make_unique<Canvas>();
    const auto image = std::make_unique<KoalaImage>();
    const PictureReading picture =
        options.nearest ? ConvertNearest(input, options, *canvas, *image) : ReadPicture(input, options, *canvas);
    if (picture.outcome == PictureReading::Outcome::Refused) {
        Show(streams.err, picture.caption, inputName, WithWayOut(picture.text, picture.nearestMakesIt));
        if (!picture.detail.empty()) streams.err << picture.detail << '\n';
        conversion.outcome = Refused();
        return conversion;
    }
    if (!picture.information.empty()) streams.info << picture.information << '\n';
    if (verbose && !picture.verbose.empty()) streams.info << picture.verbose << '\n';
    if (options.listBackgrounds) {
        const std::vector<std::uint8_t> working = WorkingBackgrounds(*canvas);
        streams.info << BackgroundsText(working) << '\n';
        if (!target.output) {
            if (working.empty()) conversion.outcome = Refused();
            else conversion.outcome = Converted{};
            return conversion;
        }
    }

    // --nearest has made the picture already.
    const KoalizeOutcome koalized =
        options.nearest ? KoalizeOutcome{} : Koalize(*canvas, *image, options.mode, options.background);
    // Every failing cell, for the refusal's count and the map.
    std::optional<Clashes> clashes;
    if (!options.nearest && (!koalized.ok() || target.clashMap))
        clashes = FindClashes(*canvas, options.mode, options.background);
    if (!koalized.ok()) {
        const Message& failed = FailureMessage(koalized.failure);
        // --nearest makes a picture of any colours and cells.
        Show(streams.err, failed.caption, inputName, WithWayOut(failed.text, true));
        if (const std::string count = ClashCountLine(*clashes, koalized.failure); !count.empty())
            streams.err << count << '\n';
        streams.err << FailureDetail(*canvas, picture.source, koalized, *clashes) << '\n';
    }
    // The map is made whether the picture koalizes or not.
    if (target.clashMap)
        conversion.clashMap = ClashMapOf(*canvas, picture, clashes ? &*clashes : nullptr, input, options, streams);
    if (!koalized.ok()) {
        conversion.outcome = Refused();
        return conversion;
    }
    if (koalized.autoBackground) streams.info << ChosenBackgroundText(ColourName(*koalized.autoBackground)) << '\n';
    if (verbose && options.mode == PaletteMode::Multicolour)
        streams.info << CellCountsLine(*canvas, (*image)[KoalaBackgroundOffset]) << '\n';
    conversion.outcome = MakeFiles(*image, *target.output, target, options, {picture.palette, picture.border}, streams);
    return conversion;
}

}  // namespace pxm

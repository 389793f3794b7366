#pragma once
// One fuzz input through the library's front door: the settings its choice bytes pick, read as
// the converter reads them, then Convert (or DescribeFile for --info) over the rest of the
// input, and what comes out checked: a file that reads back as the picture made (C64 files by
// the C64 reader, a plain format's as long as its container makes it; PNGs by the PNG decoder,
// BMPs by the BMP reader), a preview of that picture,
// a clash map of its own size, a refusal that says something.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>

#include "core/c64read/c64_picture_reader.h"
#include "core/disk/d64_image.h"
#include "core/export/containers.h"
#include "core/import/bmp_reader.h"
#include "core/import/picture_kind.h"
#include "core/palette/palette_book.h"
#include "core/tape/tap_image.h"
#include "core/view/preview.h"
#include "core/view/shown_colours.h"
#include "fuzz/conversion_choice.h"
#include "lib/conversion.h"
#include "lib/description.h"
#include "lib/output/showing_program_layout.h"
#include "lib/reading/picture_decoder.h"

namespace pxm::fuzz {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// The options and what the conversion makes, as the converter's command line gives them, and
// the file: the input after its choice bytes.
struct ChosenRun {
    Options options;
    GivenOptions given{};
    Target target;
    std::span<const std::uint8_t> file;
};

// The settings applied as the converter applies its options; none when they contradict each
// other (the converter's usage error: there is nothing to convert).
inline std::optional<ChosenRun> RunOf(const Settings& settings) {
    ChosenRun run;
    for (const Setting& setting : settings) {
        const OptionName* row = FindLongOption(setting.option);
        Check(row != nullptr && ApplyOption(row->option, setting.value, Spelling(row->option), run.options).ok());
        run.given[static_cast<std::size_t>(row->option)] = true;
    }
    if (CombinationError(run.options, run.given) || ProgramNameError(run.options, StandardStream, StandardStream)) return std::nullopt;
    if (!run.options.onlyListing()) {
        Result<OutputPlan, std::string> output = OutputFor(std::string(StandardStream), run.options);
        if (!output) return std::nullopt;
        run.target.output = std::move(*output);
    }
    if (!run.options.preview.empty()) run.target.preview = ImageOutput::Png;
    run.target.clashMap = !run.options.clashMap.empty();
    return run;
}

// What --info tells: the file's facts, or why it cannot be read; of a picture its kind first,
// and whether it converts exactly when it was read.
inline void CheckDescription(const InputFile& input, const Options& options) {
    const InfoBlock block = DescribeFile(input, options);
    Check(!block.text.empty() || !block.refusal.empty());
    if (IsC64File(input.bytes, &ConverterProgramLayout())) return;
    if (KindOfPicture(input.bytes) == PictureKind::Unknown) return Check(block.text.empty() && !block.refusal.empty());
    Check(block.text.starts_with("Kind: "));
    Check(block.refusal.empty() == (block.text.find("\nConverts: ") != std::string::npos));
}

inline void CheckShownAsPreview(std::span<const Rgb> pixels, const KoalaImage& image, const C64Palette& palette) {
    const auto preview = std::make_unique<PreviewPixels>();
    RenderPreview(image, palette, *preview);
    Check(std::ranges::equal(pixels, *preview));
}

// The length of a plain format's file follows from its container alone.
inline std::size_t PlainFileSize(Container container, std::size_t dataSize) {
    switch (container) {
        case Container::P00: return P00HeaderSize + LoadAddressSize + dataSize;
        case Container::Prg: break;
        case Container::Tap: return TapeImageSize(dataSize);
        case Container::D64: return D64ImageSize;
    }
    return LoadAddressSize + dataSize;
}

// A C64 file made reads back as the picture, in the format asked (a C64 input keeps its own
// unless -f gives one), in the container asked, a showing program when -x asked for one.
inline void CheckC64File(std::span<const std::uint8_t> file, const Converted& made, const ChosenRun& run) {
    const OutputPlan& output = *run.target.output;
    const auto read = ReadC64Picture(file, {.programs = &ConverterProgramLayout()});
    Check(read.ok());
    Check(read->showingProgram == run.options.executable);
    if (output.formatGiven) Check(read->format == output.format);
    if (output.container == Container::Prg) Check(!read->container);
    else Check(read->container == output.container);
    Check(std::equal(made.image.begin(), made.image.begin() + KoalaBackgroundOffset, read->image.begin()));
    if (read->hasBackground) Check(read->image == made.image);
    const FormatInfo& format = InfoOf(read->format);
    if (!run.options.executable && format.encoding == Encoding::Plain)
        Check(file.size() == PlainFileSize(output.container, format.layout.size));
}

// A PNG or BMP made shows the picture as a C64 does: the PNG the preview's pixels, the BMP the
// C64 colour numbers as its indexes.
inline void CheckImageFile(std::span<const std::uint8_t> file, const Converted& made, OutputKind kind) {
    if (kind == OutputKind::PicturePng) {
        const DecodeOutcome png = DecodePng(file);
        Check(png.status == DecodeOutcome::Status::Decoded && png.picture.width == PreviewWidth &&
              png.picture.height == PreviewHeight);
        return CheckShownAsPreview(png.picture.rgb, made.image, PaletteAt(made.palette));
    }
    const auto canvas = std::make_unique<Canvas>();
    const auto bmp = ReadBmp(file, *canvas, BmpHeaderCheck::SignatureAndDepth);
    Check(bmp.ok() && bmp->width == PreviewWidth && bmp->height == PreviewHeight);
    const auto shown = std::make_unique<ShownColourNumbers>();
    DecodeShownColours(made.image, *shown);
    for (int y = 0; y < ShownRows; ++y) {
        for (int x = 0; x < ShownColumns; ++x)
            Check((*canvas)[CanvasIndex(x, y)] == (*shown)[static_cast<std::size_t>(y) * ShownColumns + static_cast<std::size_t>(x)]);
    }
}

// info, err: what the conversion told on its two streams.
inline void CheckConverted(const Conversion& conversion, const ChosenRun& run, const std::string& info, const std::string& err) {
    if (!conversion.outcome) {
        const ConversionFailure& failure = conversion.outcome.error();
        // Nothing is written here, so no file can fail; a refusal has been told (only listing the
        // backgrounds, that none works), a usage error says why.
        Check(failure.kind != ConversionFailure::Kind::SystemError);
        if (failure.kind == ConversionFailure::Kind::Refused) Check(!err.empty() || (!run.target.output && !info.empty()));
        if (failure.kind == ConversionFailure::Kind::Usage) Check(!failure.text.empty());
    } else if (!run.target.output) {
        Check(conversion.outcome->file.empty());
    } else {
        const Converted& made = *conversion.outcome;
        const OutputPlan& output = *run.target.output;
        Check(!made.file.empty() && made.palette <= OwnPalette);
        if (IsPicture(output.kind)) CheckImageFile(made.file, made, output.kind);
        else CheckC64File(made.file, made, run);
        // A background given is the picture's (--nearest may pick its own when the cells ask).
        if (run.options.background.colour && !run.options.nearest)
            Check(made.image[KoalaBackgroundOffset] == *run.options.background.colour);
        if (run.target.preview) {
            const DecodeOutcome preview = DecodePng(made.preview);
            Check(preview.status == DecodeOutcome::Status::Decoded);
            CheckShownAsPreview(preview.picture.rgb, made.image, PaletteAt(made.palette));
        }
    }
    if (conversion.clashMap) {
        const RgbPicture& map = *conversion.clashMap;
        Check(run.target.clashMap && map.width > 0 && map.height > 0 &&
              map.pixels.size() == static_cast<std::size_t>(map.width) * static_cast<std::size_t>(map.height));
    }
}

// The run a fuzz input's first ChoiceBytes pick for the rest; none when it is shorter or they
// contradict each other.
inline std::optional<ChosenRun> ChosenRunOf(const std::uint8_t* data, std::size_t size, const Dimensions& dimensions) {
    const std::span<const std::uint8_t> input(data, size);
    if (input.size() < ChoiceBytes) return std::nullopt;
    std::optional<ChosenRun> run = RunOf(ChosenSettings(dimensions, input.first<ChoiceBytes>()));
    if (run) run->file = input.subspan(ChoiceBytes);
    return run;
}

// The file read as the converter reads one, converted or described.
inline void RunConversion(const ChosenRun& run) {
    const InputFile file = TakeInput({run.file.begin(), run.file.end()}, MaxInputBytes(run.options.nearest || run.options.info));
    if (run.options.info) return CheckDescription(file, run.options);
    std::ostringstream info;
    std::ostringstream err;
    const Conversion conversion = Convert(run.options, file, run.target, {info, err});
    CheckConverted(conversion, run, info.str(), err.str());
}

}  // namespace pxm::fuzz

#include "lib/options.h"

#include <charconv>

#include "core/format/petscii_name.h"
#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"
#include "lib/option_values.h"
#include "lib/wording/name_refusal.h"
#include "lib/wording/text_join.h"

namespace pxm {

namespace {

// "a, b or c".
std::string ChoiceList(const std::vector<std::string_view>& values) {
    std::string list;
    for (std::size_t v = 0; v < values.size(); ++v)
        list += Join({v == 0 ? "" : v + 1 == values.size() ? " or " : ", ", values[v]});
    return list;
}

template <typename T, std::size_t N>
std::vector<std::string_view> NamesOf(const std::array<NamedValue<T>, N>& table) {
    std::vector<std::string_view> names;
    for (const NamedValue<T>& row : table) names.push_back(row.name);
    return names;
}

// A decimal from 0 to 1.
std::optional<float> ParseStrength(std::string_view text) {
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !(value >= 0.0f && value <= 1.0f)) return std::nullopt;
    return value;
}

std::string Unknown(std::string_view what, std::string_view value, std::string_view known) {
    return Join({"unknown ", what, " ", Quoted(value), " (", known, ")"});
}

std::string Unknown(std::string_view what, std::string_view value, Option option) {
    return Unknown(what, value, ChoiceList(ValuesOf(option)));
}

// The option's value applied; an empty text means it was accepted.
std::string Apply(Option option, std::string_view value, Options& options) {
    switch (option) {
        case Option::Output:
            if (value.empty()) return "the output file name is empty";
            options.output = value;
            return {};
        case Option::OutputDir:
            if (value.empty()) return "the output folder name is empty";
            options.outputDir = value;
            return {};
        case Option::Mode:
            if (const auto mode = ModeFromText(value)) {
                options.mode = *mode;
                return {};
            }
            return Unknown("mode", value, option);
        case Option::Background:
            if (const auto background = BackgroundFromText(value)) {
                options.background = *background;
                return {};
            }
            return Unknown("background", value, "auto, 0 to 15 or a colour name");
        case Option::Format:
            if (const auto format = FormatFromText(value)) {
                options.format = *format;
                return {};
            }
            return Unknown("format", value, option);
        case Option::Container:
            if (const auto container = AnyContainerFromExtension(value)) {
                options.container = *container;
                return {};
            }
            if (const auto image = ImageOutputFromName(value)) {
                options.imageOutput = *image;
                return {};
            }
            return Unknown("container", value, option);
        case Option::Name: {
            Result<std::string, PetsciiNameFailure> name = PetsciiNameFromText(value);
            if (!name) return NameRefusalText(name.error(), value);
            options.c64Name = std::move(name).value();
            return {};
        }
        case Option::Replace: options.replace = true; return {};
        case Option::FixSp2Flaw: options.fixSp2Flaw = true; return {};
        case Option::Executable: options.executable = true; return {};
        case Option::Border:
            if ((options.border = BackgroundFromText(value))) return {};
            return Unknown("border", value, "auto, 0 to 15 or a colour name");
        case Option::Palette:
            if (const auto palette = PaletteChoiceFromText(value)) {
                options.palette = *palette;
                return {};
            }
            return Unknown("palette", value, option);
        case Option::PaletteFile:
            if (value.empty()) return "the palette file name is empty";
            options.paletteFile = value;
            options.palette = PaletteChoice{PaletteChoice::Kind::Named, OwnPalette};
            return {};
        case Option::Preview:
            if (value.empty()) return "the preview file name is empty";
            options.preview = value;
            return {};
        case Option::ClashMap:
            if (value.empty()) return "the clash map file name is empty";
            options.clashMap = value;
            return {};
        case Option::Backgrounds: options.listBackgrounds = true; return {};
        case Option::Nearest: options.nearest = true; return {};
        case Option::Scale:
            if ((options.scale = NamedFromText<ScaleMode>(ScaleModeNames, value))) return {};
            return Unknown("scaling", value, option);
        case Option::Dither:
            if ((options.dither = NamedFromText<DitherKind>(DitherKindNames, value))) return {};
            return Unknown("dither", value, option);
        case Option::DitherStrength:
            if ((options.ditherStrength = ParseStrength(value))) return {};
            return Join({"dither strength ", Quoted(value), " is not a number from 0 to 1"});
        case Option::Info: options.info = true; return {};
        case Option::File: {
            Result<std::string, PetsciiNameFailure> name = PetsciiNameFromText(value);
            if (!name) return NameRefusalText(name.error(), value);
            options.diskFile = std::move(name).value();
            return {};
        }
        case Option::Jobs: {
            unsigned jobs = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
            if (error != std::errc{} || end != value.data() + value.size() || jobs == 0 || jobs > 256)
                return Join({"the number of jobs ", Quoted(value), " is not a number from 1 to 256"});
            options.jobs = jobs;
            return {};
        }
        case Option::Quiet: options.verbosity = Verbosity::Quiet; return {};
        case Option::Verbose: options.verbosity = Verbosity::Verbose; return {};
        case Option::Help:
        case Option::Version:
        case Option::Count: return {};
    }
    return {};
}

}  // namespace

// "-o/--output" or "--name": how messages name an option.
std::string Spelling(Option option) {
    const OptionName& name = NameOf(option);
    if (name.shortName == 0) return Join({"--", name.longName});
    return Join({"-", std::string_view(&name.shortName, 1), "/--", name.longName});
}

const OptionName* FindShortOption(char letter) {
    for (const OptionName& row : OptionNames) {
        if (row.shortName != 0 && row.shortName == letter) return &row;
    }
    return nullptr;
}

const OptionName* FindLongOption(std::string_view name) {
    for (const OptionName& row : OptionNames) {
        if (row.longName == name) return &row;
    }
    return nullptr;
}

Status<std::string> ApplyOption(Option option, std::string_view value, std::string_view spelled, Options& options) {
    if (std::string error = Apply(option, value, options); !error.empty()) return Fail(std::move(error));
    if (IsKoalizing(option) && options.koalizingOption.empty()) options.koalizingOption = spelled;
    return Done{};
}

std::optional<std::string> CombinationError(const Options& options, const GivenOptions& given) {
    if (IsGiven(given, Option::Quiet) && IsGiven(given, Option::Verbose)) return "-q/--quiet and -v/--verbose exclude each other";
    if (IsGiven(given, Option::Output) && IsGiven(given, Option::OutputDir))
        return "give either -o/--output or --output-dir, not both";
    if (IsGiven(given, Option::Palette) && IsGiven(given, Option::PaletteFile))
        return "give either -p/--palette or --palette-file, not both";
    if (options.mode != PaletteMode::Multicolour && IsGiven(given, Option::Background))
        return Join({Spelling(Option::Background), " has no effect with --mode ", ModeName(options.mode),
                     ": the grey modes have no background to choose"});
    if (!options.nearest) {
        for (const Option option : {Option::Scale, Option::Dither, Option::DitherStrength}) {
            if (IsGiven(given, option))
                return Join({Spelling(option), " has no effect without -n/--nearest: only the nearest picture is scaled and dithered"});
        }
    }
    if (IsGiven(given, Option::Border) && !options.executable)
        return "--border has no effect without -x/--executable: only the program shows a border";
    if (IsGiven(given, Option::FixSp2Flaw) && options.format != ExportFormat::Sp2)
        return "--fix-sp2-flaw has no effect without -f sp2: only the SP2 packer has the flaw";
    return std::nullopt;
}

std::vector<std::string_view> ValuesOf(Option option) {
    std::vector<std::string_view> values;
    switch (option) {
        case Option::Mode: return NamesOf(ModeNames);
        case Option::Format:
            for (const FormatInfo& format : Formats) values.push_back(format.key);
            break;
        case Option::Container:
            values.assign(ContainerExtensions.begin(), ContainerExtensions.end());
            values.insert(values.end(), {"png", "bmp"});
            break;
        case Option::Background:
        case Option::Border:
            values.push_back("auto");
            for (int c = 0; c < 16; ++c) values.push_back(ColourName(c));
            break;
        case Option::Palette:
            values = {"auto", "index"};
            for (const C64Palette& palette : C64Palettes) values.push_back(palette.name);
            break;
        case Option::Scale: return NamesOf(ScaleModeNames);
        case Option::Dither: return NamesOf(DitherKindNames);
        default: break;
    }
    return values;
}

std::optional<std::string> ProgramNameError(const Options& options, std::string_view input, std::string_view output) {
    if (options.executable && input == StandardStream && output == StandardStream && !options.c64Name)
        return "-x names the program after the output file: with standard input and output give --name";
    return std::nullopt;
}

void ResetOption(Option option, Options& options) {
    const Options defaults;
    switch (option) {
        case Option::Output: options.output = defaults.output; break;
        case Option::OutputDir: options.outputDir = defaults.outputDir; break;
        case Option::Mode: options.mode = defaults.mode; break;
        case Option::Background: options.background = defaults.background; break;
        case Option::Format: options.format = defaults.format; break;
        case Option::Container:
            options.container = defaults.container;
            options.imageOutput = defaults.imageOutput;
            break;
        case Option::Name: options.c64Name = defaults.c64Name; break;
        case Option::Replace: options.replace = defaults.replace; break;
        case Option::FixSp2Flaw: options.fixSp2Flaw = defaults.fixSp2Flaw; break;
        case Option::Executable: options.executable = defaults.executable; break;
        case Option::Border: options.border = defaults.border; break;
        case Option::Palette: options.palette = defaults.palette; break;
        case Option::PaletteFile: options.paletteFile = defaults.paletteFile; break;
        case Option::Preview: options.preview = defaults.preview; break;
        case Option::ClashMap: options.clashMap = defaults.clashMap; break;
        case Option::Backgrounds: options.listBackgrounds = defaults.listBackgrounds; break;
        case Option::Nearest: options.nearest = defaults.nearest; break;
        case Option::Scale: options.scale = defaults.scale; break;
        case Option::Dither: options.dither = defaults.dither; break;
        case Option::DitherStrength: options.ditherStrength = defaults.ditherStrength; break;
        case Option::Info: options.info = defaults.info; break;
        case Option::File: options.diskFile = defaults.diskFile; break;
        case Option::Jobs: options.jobs = defaults.jobs; break;
        case Option::Quiet:
        case Option::Verbose: options.verbosity = defaults.verbosity; break;
        case Option::Help:
        case Option::Version:
        case Option::Count: break;
    }
}

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

std::string_view PaletteChoiceName(const PaletteChoice& choice) {
    switch (choice.kind) {
        case PaletteChoice::Kind::Auto: return "auto";
        case PaletteChoice::Kind::Index: return "index";
        case PaletteChoice::Kind::Named: break;
    }
    return PaletteAt(choice.palette).name;
}

}  // namespace pxm

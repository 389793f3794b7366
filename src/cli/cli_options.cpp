#include "cli/cli_options.h"

#include <array>
#include <charconv>

#include "cli/name_refusal.h"
#include "cli/option_values.h"
#include "cli/text_join.h"
#include "core/format/petscii_name.h"
#include "core/palette/c64_palettes.h"
#include "core/palette/palette_book.h"

namespace pxm::cli {

namespace {

using Action = ParsedCommandLine::Action;

enum class Option {
    Output,
    OutputDir,
    Mode,
    Background,
    Format,
    Container,
    Name,
    Replace,
    FixSp2Flaw,
    Executable,
    Border,
    Palette,
    PaletteFile,
    Preview,
    ClashMap,
    Backgrounds,
    Nearest,
    Scale,
    Dither,
    DitherStrength,
    Info,
    File,
    Jobs,
    Quiet,
    Verbose,
    Help,
    Version,
    Count
};

// What follows an option: nothing (a switch), or one value, which may be given once only.
enum class Takes { Nothing, Value };

struct OptionName {
    char shortName;  // 0: long form only
    std::string_view longName;
    Option option;
    Takes takes;
};
constexpr std::array<OptionName, static_cast<std::size_t>(Option::Count)> OptionNames{{
    {'o', "output", Option::Output, Takes::Value},
    {0, "output-dir", Option::OutputDir, Takes::Value},
    {'m', "mode", Option::Mode, Takes::Value},
    {'b', "background", Option::Background, Takes::Value},
    {'f', "format", Option::Format, Takes::Value},
    {'c', "container", Option::Container, Takes::Value},
    {0, "name", Option::Name, Takes::Value},
    {0, "replace", Option::Replace, Takes::Nothing},
    {0, "fix-sp2-flaw", Option::FixSp2Flaw, Takes::Nothing},
    {'x', "executable", Option::Executable, Takes::Nothing},
    {0, "border", Option::Border, Takes::Value},
    {'p', "palette", Option::Palette, Takes::Value},
    {0, "palette-file", Option::PaletteFile, Takes::Value},
    {0, "preview", Option::Preview, Takes::Value},
    {0, "clash-map", Option::ClashMap, Takes::Value},
    {0, "backgrounds", Option::Backgrounds, Takes::Nothing},
    {'n', "nearest", Option::Nearest, Takes::Nothing},
    {0, "scale", Option::Scale, Takes::Value},
    {0, "dither", Option::Dither, Takes::Value},
    {0, "dither-strength", Option::DitherStrength, Takes::Value},
    {0, "info", Option::Info, Takes::Nothing},
    {0, "file", Option::File, Takes::Value},
    {'j', "jobs", Option::Jobs, Takes::Value},
    {'q', "quiet", Option::Quiet, Takes::Nothing},
    {'v', "verbose", Option::Verbose, Takes::Nothing},
    {'h', "help", Option::Help, Takes::Nothing},
    {0, "version", Option::Version, Takes::Nothing},
}};

static_assert([] {
    for (std::size_t o = 0; o < OptionNames.size(); ++o) {
        if (OptionNames[o].option != static_cast<Option>(o)) return false;
    }
    return true;
}(), "OptionNames holds the options in the order of Option");

const OptionName& NameOf(Option option) { return OptionNames[static_cast<std::size_t>(option)]; }

// "-o/--output" or "--name": how messages name an option.
std::string Spelling(Option option) {
    const OptionName& name = NameOf(option);
    if (name.shortName == 0) return Join({"--", name.longName});
    return Join({"-", std::string_view(&name.shortName, 1), "/--", name.longName});
}

std::string PaletteNames() {
    std::string names;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p)
        names += Join({p == 0 ? "" : p + 1 == C64Palettes.size() ? " or " : ", ", C64Palettes[p].name});
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

// Applies one option's value; an empty result means it was accepted.
std::string Apply(Option option, std::string_view value, CliOptions& options) {
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
            return Unknown("mode", value, "multicolour, grey4 or grey5");
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
            return Unknown("format", value, "koala, artstudio, artist64, blazing or sp2");
        case Option::Container:
            if (const auto container = AnyContainerFromExtension(value)) {
                options.container = *container;
                return {};
            }
            if (const auto image = ImageOutputFromName(value)) {
                options.imageOutput = *image;
                return {};
            }
            return Unknown("container", value, "p00, prg, tap, d64, png or bmp");
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
            return Unknown("palette", value, Join({"auto, index, ", PaletteNames()}));
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
            return Unknown("scaling", value, "none, fit, fill or stretch");
        case Option::Dither:
            if ((options.dither = NamedFromText<DitherKind>(DitherKindNames, value))) return {};
            return Unknown("dither", value, "none, bayer4, bayer8, floyd-steinberg or atkinson");
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

const OptionName* FindShort(char c) {
    for (const auto& o : OptionNames) {
        if (o.shortName != 0 && o.shortName == c) return &o;
    }
    return nullptr;
}

const OptionName* FindLong(std::string_view name) {
    for (const auto& o : OptionNames) {
        if (o.longName == name) return &o;
    }
    return nullptr;
}

ParsedCommandLine Usage(std::string error) {
    ParsedCommandLine parsed;
    parsed.action = Action::UsageError;
    parsed.error = std::move(error);
    return parsed;
}

using Given = std::array<bool, static_cast<std::size_t>(Option::Count)>;

bool IsGiven(const Given& given, Option option) { return given[static_cast<std::size_t>(option)]; }

// Options that this combination would leave without effect: an error naming why, or empty.
std::string CombinationError(const CliOptions& options, const Given& given) {
    if (IsGiven(given, Option::Quiet) && IsGiven(given, Option::Verbose)) return "-q/--quiet and -v/--verbose exclude each other";
    if (IsGiven(given, Option::Output) && IsGiven(given, Option::OutputDir))
        return "give either -o/--output or --output-dir, not both";
    if (IsGiven(given, Option::Palette) && IsGiven(given, Option::PaletteFile))
        return "give either -p/--palette or --palette-file, not both";
    if (options.mode != PaletteMode::Multicolour && IsGiven(given, Option::Background))
        return Join({Spelling(Option::Background), " has no effect with --mode ", ModeName(options.mode),
                     ": the grey modes have no background to choose"});
    if (options.info) {
        for (const Option option : {Option::Output, Option::OutputDir, Option::Format, Option::Container, Option::Name,
                                    Option::Replace, Option::FixSp2Flaw, Option::Executable, Option::Preview, Option::Jobs,
                                    Option::ClashMap, Option::Backgrounds, Option::Nearest}) {
            if (IsGiven(given, option))
                return Join({Spelling(option), " has no effect: --info only describes the files and writes nothing"});
        }
    } else if (options.onlyListing()) {
        for (const Option option : {Option::Mode, Option::Background, Option::Format, Option::Container, Option::Name,
                                    Option::Replace, Option::FixSp2Flaw, Option::Executable, Option::Preview,
                                    Option::ClashMap, Option::Jobs}) {
            if (IsGiven(given, option))
                return Join({Spelling(option),
                             " has no effect: --backgrounds without -o only lists the backgrounds and writes nothing"});
        }
        if (options.inputs.size() > 1) return "--backgrounds without -o lists the backgrounds of one picture";
    }
    if (!options.diskFile.empty() && options.inputs.size() > 1) return "--file picks a file on one D64 image";
    std::size_t standardInputs = 0;
    for (const std::string& input : options.inputs) standardInputs += input == StandardStream;
    if (standardInputs > 0 && options.inputs.size() > 1)
        return "standard input (-) can only be the one input";
    if (options.inputs.size() > 1) {
        if (options.output == StandardStream) return "-o - writes one file: give it with one input only";
    }
    if (standardInputs > 0 && options.output.empty() && options.outputDir.empty() && !options.onlyListing())
        return "standard input (-) has no name to name the output after: give -o OUTPUT";
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
    if (options.executable && options.inputs[0] == StandardStream && options.output == StandardStream &&
        !options.c64Name)
        return "-x names the program after the output file: with standard input and output give --name";
    return {};
}

// One option as the command line gave it: its row, its value if it came with one, and how it
// was spelled (for messages).
struct OptionUse {
    const OptionName* option = nullptr;
    std::optional<std::string_view> value;
    std::string spelled;
};

// The options one argument holds: a long option ("--name" or "--name=value") or, as getopt reads
// them, a cluster of short letters ("-nq"), of which one that takes a value ends the cluster,
// the rest of the argument being its value ("-ofile", "-nqo file"). An error names what is wrong.
std::string OptionsOf(std::string_view arg, std::vector<OptionUse>& uses) {
    if (arg[1] == '-') {
        const auto equals = arg.find('=');
        OptionUse use{FindLong(arg.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2)),
                      std::nullopt, std::string(arg.substr(0, equals))};
        if (use.option == nullptr) return Join({"unknown option ", Quoted(use.spelled)});
        if (equals != std::string_view::npos) use.value = arg.substr(equals + 1);
        if (use.option->takes == Takes::Nothing && use.value)
            return Join({"option ", Quoted(use.spelled), " takes no value"});
        uses.push_back(std::move(use));
        return {};
    }
    for (std::size_t at = 1; at < arg.size(); ++at) {
        OptionUse use{FindShort(arg[at]), std::nullopt, Join({"-", arg.substr(at, 1)})};
        if (use.option == nullptr) {
            if (arg.size() == 2) return Join({"unknown option ", Quoted(arg)});
            return Join({"unknown option letter ", Quoted(arg.substr(at, 1)), " in ", Quoted(arg)});
        }
        const bool takesValue = use.option->takes == Takes::Value;
        if (takesValue && at + 1 < arg.size()) use.value = arg.substr(at + 1);
        uses.push_back(std::move(use));
        if (takesValue) break;
    }
    return {};
}

}  // namespace

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
    ParsedCommandLine parsed;
    Given given{};
    bool optionsEnded = false;
    std::vector<OptionUse> uses;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (arg.empty()) return Usage("the input file name is empty");
            parsed.options.inputs.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        uses.clear();
        if (std::string error = OptionsOf(arg, uses); !error.empty()) return Usage(error);
        for (OptionUse& use : uses) {
            const Option option = use.option->option;
            if (option == Option::Help) return {Action::Help, {}, {}, {}};
            if (option == Option::Version) return {Action::Version, {}, {}, {}};
            bool& seen = given[static_cast<std::size_t>(option)];
            if (use.option->takes == Takes::Value) {
                if (!use.value) {
                    if (i + 1 == args.size()) return Usage(Join({"option ", Quoted(use.spelled), " needs a value"}));
                    use.value = args[++i];
                }
                // A second value would silently win over the first.
                if (seen) return Usage(Join({"option ", Spelling(option), " is given more than once"}));
            }
            seen = true;
            if (std::string error = Apply(option, use.value.value_or(""), parsed.options); !error.empty())
                return Usage(error);
            // Options that only koalizing heeds; a C64 file as input refuses them.
            const bool koalizing = option == Option::Mode || option == Option::Background ||
                                   option == Option::Backgrounds || option == Option::ClashMap ||
                                   option == Option::Nearest;
            if (koalizing && parsed.options.koalizingOption.empty()) parsed.options.koalizingOption = use.spelled;
        }
    }
    CliOptions& options = parsed.options;
    if (options.inputs.empty()) return Usage("no input file given");
    if (std::string error = CombinationError(options, given); !error.empty()) return Usage(error);
    if (IsGiven(given, Option::Jobs) && options.inputs.size() == 1)
        parsed.warnings.emplace_back("-j/--jobs has no effect with one input: it converts several pictures at once");
    return parsed;
}

std::string_view PaletteChoiceName(const PaletteChoice& choice) {
    switch (choice.kind) {
        case PaletteChoice::Kind::Auto: return "auto";
        case PaletteChoice::Kind::Index: return "index";
        case PaletteChoice::Kind::Named: break;
    }
    return PaletteAt(choice.palette).name;
}

}  // namespace pxm::cli

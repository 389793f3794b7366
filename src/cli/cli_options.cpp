#include "cli/cli_options.h"

#include <array>

#include "cli/name_refusal.h"
#include "cli/text_join.h"
#include "core/format/petscii_name.h"
#include "core/koala/colour_names.h"
#include "core/palette/c64_palettes.h"
#include "core/text/equal_ignoring_case.h"
#include "platform/path_parts.h"

namespace pxm::cli {

namespace {

using Action = ParsedCommandLine::Action;

struct ModeName {
    std::string_view name;
    PaletteMode mode;
};
constexpr std::array<ModeName, 3> ModeNames{{
    {"multicolour", PaletteMode::Multicolour},
    {"grey4", PaletteMode::FourGreys},
    {"grey5", PaletteMode::FiveGreys},
}};

enum class Option {
    Output,
    Mode,
    Background,
    Format,
    Container,
    Name,
    FixSp2Flaw,
    Executable,
    Palette,
    Preview,
    ClashMap,
    Backgrounds,
    Info,
    File,
    Help,
    Version
};

struct OptionName {
    char shortName;  // 0: long form only
    std::string_view longName;
    Option option;
    bool takesValue;
};
constexpr std::array<OptionName, 16> OptionNames{{
    {'o', "output", Option::Output, true},
    {'m', "mode", Option::Mode, true},
    {'b', "background", Option::Background, true},
    {'f', "format", Option::Format, true},
    {'c', "container", Option::Container, true},
    {0, "name", Option::Name, true},
    {0, "fix-sp2-flaw", Option::FixSp2Flaw, false},
    {'x', "executable", Option::Executable, false},
    {'p', "palette", Option::Palette, true},
    {0, "preview", Option::Preview, true},
    {0, "clash-map", Option::ClashMap, true},
    {0, "backgrounds", Option::Backgrounds, false},
    {0, "info", Option::Info, false},
    {0, "file", Option::File, true},
    {'h', "help", Option::Help, false},
    {0, "version", Option::Version, false},
}};

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    quoted.append(text).push_back('\'');
    return quoted;
}

std::optional<PaletteChoice> ParsePaletteChoice(std::string_view text) {
    if (EqualIgnoringCase(text, "auto")) return PaletteChoice{PaletteChoice::Kind::Auto, 0};
    if (EqualIgnoringCase(text, "index")) return PaletteChoice{PaletteChoice::Kind::Index, 0};
    if (const auto palette = FindPalette(text)) return PaletteChoice{PaletteChoice::Kind::Named, *palette};
    return std::nullopt;
}

std::string PaletteNames() {
    std::string names;
    for (std::size_t p = 0; p < C64Palettes.size(); ++p)
        names += Join({p == 0 ? "" : p + 1 == C64Palettes.size() ? " or " : ", ", C64Palettes[p].name});
    return names;
}

// Applies one option's value; an empty result means it was accepted.
std::string Apply(Option option, std::string_view value, CliOptions& options) {
    switch (option) {
        case Option::Output:
            if (value.empty()) return "the output file name is empty";
            options.output = value;
            return {};
        case Option::Mode:
            for (const auto& m : ModeNames) {
                if (m.name == value) {
                    options.mode = m.mode;
                    return {};
                }
            }
            return Join({"unknown mode ", Quoted(value), " (multicolour, grey4 or grey5)"});
        case Option::Background:
            if (const auto background = ParseBackground(value)) {
                // The colour list's AUTO comes as -1.
                options.background = *background < 0 ? AutoBackground
                                                      : BackgroundChoice{static_cast<std::uint8_t>(*background)};
                return {};
            }
            return Join({"unknown background ", Quoted(value), " (auto, 0 to 15 or a colour name)"});
        case Option::Format:
            if (const auto format = FormatFromKey(value)) {
                options.format = *format;
                return {};
            }
            return Join({"unknown format ", Quoted(value), " (koala, artstudio, artist64, blazing or sp2)"});
        case Option::Container:
            if (const auto container = AnyContainerFromExtension(value)) {
                options.container = *container;
                return {};
            }
            if (const auto image = ImageOutputFromName(value)) {
                options.imageOutput = *image;
                return {};
            }
            return Join({"unknown container ", Quoted(value), " (p00, prg, tap, d64, png or bmp)"});
        case Option::Name: {
            Result<std::string, PetsciiNameFailure> name = PetsciiNameFromText(value);
            if (!name) return NameRefusalText(name.error(), value);
            options.c64Name = std::move(name).value();
            return {};
        }
        case Option::FixSp2Flaw: options.fixSp2Flaw = true; return {};
        case Option::Executable: options.executable = true; return {};
        case Option::Palette:
            if (const auto palette = ParsePaletteChoice(value)) {
                options.palette = *palette;
                return {};
            }
            return Join({"unknown palette ", Quoted(value), " (auto, index, ", PaletteNames(), ")"});
        case Option::Preview:
            if (value.empty()) return "the preview file name is empty";
            options.preview = value;
            return {};
        case Option::ClashMap:
            if (value.empty()) return "the clash map file name is empty";
            options.clashMap = value;
            return {};
        case Option::Backgrounds: options.listBackgrounds = true; return {};
        case Option::Info: options.info = true; return {};
        case Option::File: {
            Result<std::string, PetsciiNameFailure> name = PetsciiNameFromText(value);
            if (!name) return NameRefusalText(name.error(), value);
            options.diskFile = std::move(name).value();
            return {};
        }
        case Option::Help:
        case Option::Version: return {};
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

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
    ParsedCommandLine parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const OptionName* option = nullptr;
        std::optional<std::string_view> value;
        std::string spelled;
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (!parsed.options.input.empty()) return Usage(Join({"more than one input file: ", Quoted(arg)}));
            if (arg.empty()) return Usage("the input file name is empty");
            parsed.options.input = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg[1] == '-') {
            const auto equals = arg.find('=');
            option = FindLong(arg.substr(2, equals == std::string_view::npos ? std::string_view::npos : equals - 2));
            spelled = std::string(arg.substr(0, equals));
            if (equals != std::string_view::npos) value = arg.substr(equals + 1);
            if (option != nullptr && !option->takesValue && value)
                return Usage(Join({"option ", Quoted(spelled), " takes no value"}));
        } else {
            option = FindShort(arg[1]);
            spelled = std::string(arg.substr(0, 2));
            if (arg.size() > 2) {
                if (option != nullptr && !option->takesValue) return Usage(Join({"unknown option ", Quoted(arg)}));
                value = arg.substr(2);
            }
        }
        if (option == nullptr) return Usage(Join({"unknown option ", Quoted(spelled)}));
        if (option->option == Option::Help) return {Action::Help, {}, {}};
        if (option->option == Option::Version) return {Action::Version, {}, {}};
        if (option->takesValue && !value) {
            if (i + 1 == args.size()) return Usage(Join({"option ", Quoted(spelled), " needs a value"}));
            value = args[++i];
        }
        if (std::string error = Apply(option->option, value.value_or(""), parsed.options); !error.empty())
            return Usage(error);
        // Options that only koalizing heeds; a C64 file as input refuses them.
        const bool koalizing = option->option == Option::Mode || option->option == Option::Background ||
                               option->option == Option::Backgrounds || option->option == Option::ClashMap;
        if (koalizing && parsed.options.koalizingOption.empty()) parsed.options.koalizingOption = spelled;
    }
    if (parsed.options.input.empty()) return Usage("no input file given");
    if (parsed.options.output.empty() && !parsed.options.info) return Usage("no output file given (-o OUTPUT)");
    return parsed;
}

std::string_view PaletteChoiceName(const PaletteChoice& choice) {
    switch (choice.kind) {
        case PaletteChoice::Kind::Auto: return "auto";
        case PaletteChoice::Kind::Index: return "index";
        case PaletteChoice::Kind::Named: break;
    }
    return C64Palettes[choice.palette].name;
}

namespace {

// OUTPUT's extension, without the dot; empty when it has none.
std::string_view OutputExtension(std::string_view output) {
    const std::string_view name = platform::SplitPath(output).name;
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

}  // namespace

Container ChosenContainer(const CliOptions& options) {
    if (options.container) return *options.container;
    return AnyContainerFromExtension(OutputExtension(options.output)).value_or(Container::P00);
}

std::optional<ImageOutput> ChosenImageOutput(const CliOptions& options) {
    if (options.container) return std::nullopt;
    if (options.imageOutput) return options.imageOutput;
    return ImageOutputFromName(OutputExtension(options.output));
}

}  // namespace pxm::cli

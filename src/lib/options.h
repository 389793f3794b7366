#pragma once
// The conversion's options, one row each (short and long name, whether it takes a value, where it
// applies), and the values they hold: what the converter's command line and the library's
// pxm_options_set both read.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/result.h"
#include "core/base/second_thread.h"
#include "core/format/export_format.h"
#include "core/import/palette_match.h"
#include "core/koala/koalize_step.h"
#include "core/nearest/dither.h"
#include "core/palette/palette_book.h"
#include "lib/output/image_output.h"
#include "lib/reading/picture_scaling.h"

namespace pxm {

// "-" as INPUT or OUTPUT: the standard stream.
inline constexpr std::string_view StandardStream = "-";

enum class Verbosity { Quiet, Normal, Verbose };

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
enum class Argument { None, Value };

// Where an option means something: in any conversion, or only on the command line (files and
// folders to write, threads, what the program itself prints).
enum class Reach { Conversion, CommandLine };

struct OptionName {
    char shortName;  // 0: long form only
    std::string_view longName;
    Option option;
    Argument takes;
    Reach reach;
};
inline constexpr std::array<OptionName, static_cast<std::size_t>(Option::Count)> OptionNames{{
    {'o', "output", Option::Output, Argument::Value, Reach::Conversion},
    {0, "output-dir", Option::OutputDir, Argument::Value, Reach::CommandLine},
    {'m', "mode", Option::Mode, Argument::Value, Reach::Conversion},
    {'b', "background", Option::Background, Argument::Value, Reach::Conversion},
    {'f', "format", Option::Format, Argument::Value, Reach::Conversion},
    {'c', "container", Option::Container, Argument::Value, Reach::Conversion},
    {0, "name", Option::Name, Argument::Value, Reach::Conversion},
    {0, "replace", Option::Replace, Argument::None, Reach::CommandLine},
    {0, "fix-sp2-flaw", Option::FixSp2Flaw, Argument::None, Reach::Conversion},
    {'x', "executable", Option::Executable, Argument::None, Reach::Conversion},
    {0, "border", Option::Border, Argument::Value, Reach::Conversion},
    {'p', "palette", Option::Palette, Argument::Value, Reach::Conversion},
    {0, "palette-file", Option::PaletteFile, Argument::Value, Reach::CommandLine},
    {0, "preview", Option::Preview, Argument::Value, Reach::CommandLine},
    {0, "clash-map", Option::ClashMap, Argument::Value, Reach::CommandLine},
    {0, "backgrounds", Option::Backgrounds, Argument::None, Reach::Conversion},
    {'n', "nearest", Option::Nearest, Argument::None, Reach::Conversion},
    {0, "scale", Option::Scale, Argument::Value, Reach::Conversion},
    {0, "dither", Option::Dither, Argument::Value, Reach::Conversion},
    {0, "dither-strength", Option::DitherStrength, Argument::Value, Reach::Conversion},
    {0, "info", Option::Info, Argument::None, Reach::CommandLine},
    {0, "file", Option::File, Argument::Value, Reach::Conversion},
    {'j', "jobs", Option::Jobs, Argument::Value, Reach::CommandLine},
    {'q', "quiet", Option::Quiet, Argument::None, Reach::Conversion},
    {'v', "verbose", Option::Verbose, Argument::None, Reach::Conversion},
    {'h', "help", Option::Help, Argument::None, Reach::CommandLine},
    {0, "version", Option::Version, Argument::None, Reach::CommandLine},
}};

static_assert([] {
    for (std::size_t o = 0; o < OptionNames.size(); ++o) {
        if (OptionNames[o].option != static_cast<Option>(o)) return false;
    }
    return true;
}(), "OptionNames holds the options in the order of Option");

inline const OptionName& NameOf(Option option) { return OptionNames[static_cast<std::size_t>(option)]; }
const OptionName* FindShortOption(char letter);
const OptionName* FindLongOption(std::string_view name);

// "-o/--output" or "--name": how messages name an option.
std::string Spelling(Option option);

// Which options were given.
using GivenOptions = std::array<bool, static_cast<std::size_t>(Option::Count)>;
inline bool IsGiven(const GivenOptions& given, Option option) { return given[static_cast<std::size_t>(option)]; }

struct Options {
    std::string output;     // -o as given; empty: named after each input
    std::string outputDir;  // --output-dir; empty: none
    PaletteMode mode = PaletteMode::Multicolour;
    BackgroundChoice background = AutoBackground;
    std::optional<ExportFormat> format;    // none: from the output's extension, else koala
    std::optional<Container> container;    // none: from the output's extension
    std::optional<std::string> c64Name;    // PETSCII; none: the format's own C64 name
    bool replace = false;                  // a file of the name on the D64 output is replaced
    bool fixSp2Flaw = false;
    bool executable = false;  // a program that shows the picture instead of the plain file
    std::optional<BackgroundChoice> border;  // the program's border: a colour or AUTO; none: AUTO
    std::optional<PaletteChoice> palette;  // none: AUTO for a PNG or GIF, index for a BMP
    std::string paletteFile;               // --palette-file (palette then names OwnPalette); empty: none
    std::string preview;                   // the preview PNG to write; empty: none
    std::string clashMap;                  // the clash map PNG to write; empty: none
    bool listBackgrounds = false;
    // --nearest: the nearest C64 picture instead of a refusal, and how it is made.
    bool nearest = false;
    std::optional<ScaleMode> scale;      // none: None for the sizes taken without it, else Fit
    std::optional<DitherKind> dither;    // none: none for pixel art, else the photograph default
    std::optional<float> ditherStrength;
    Verbosity verbosity = Verbosity::Normal;
    unsigned jobs = 0;  // pictures converted at once; 0: as many as the machine has cores
    // A picture's own threads (no option of its own): one where pictures are converted at once;
    // where the second runs, as the program can ask the system.
    Threading threading = Threading::Two;
    CorePlacement placement{};
    bool info = false;                       // tell what each input file is, convert nothing
    std::string diskFile;                    // PETSCII: the D64 entry to read; empty: the first picture
    std::optional<ImageOutput> imageOutput;  // -c png|bmp
    std::string koalizingOption;  // the first of -m, -b, --backgrounds, --clash-map, -n given, as spelled

    // --backgrounds without -o, or --info: the backgrounds or the files are described and
    // nothing is written.
    bool onlyListing() const { return info || (listBackgrounds && output.empty() && outputDir.empty()); }
};

// The options only koalizing heeds (a C64 file as input refuses them).
constexpr bool IsKoalizing(Option option) {
    return option == Option::Mode || option == Option::Background || option == Option::Backgrounds ||
           option == Option::ClashMap || option == Option::Nearest;
}

// One option's value applied (a switch's value is ignored); the failure says what is wrong with
// the value. `spelled`: the option as the user typed it, kept for messages about koalizing options.
Status<std::string> ApplyOption(Option option, std::string_view value, std::string_view spelled, Options& options);

// The values an option takes, as the converter names them ("koala", "artstudio", ...); none for
// a switch or an option whose value is free (a name, a number).
std::vector<std::string_view> ValuesOf(Option option);

// Options that this combination would leave without effect, as far as the options alone tell:
// the usage error, or none.
std::optional<std::string> CombinationError(const Options& options, const GivenOptions& given);

// -x on standard input and output without --name: the program has no name to take.
std::optional<std::string> ProgramNameError(const Options& options, std::string_view input, std::string_view output);

// One option back at its default, as if it had not been given.
void ResetOption(Option option, Options& options);

// "auto", "index" or the palette's name, as --palette takes it.
std::string_view PaletteChoiceName(const PaletteChoice& choice);

// 'text' in quotes, for messages.
std::string Quoted(std::string_view text);

}  // namespace pxm

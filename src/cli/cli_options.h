#pragma once
// The converter's command line, as typed: each option's value checked, each single-valued
// option given once, no option that would have no effect.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/image_output.h"
#include "core/format/export_format.h"
#include "core/import/palette_match.h"
#include "core/koala/koalize_step.h"
#include "core/nearest/dither.h"
#include "cli/picture_scaling.h"

namespace pxm::cli {

// "-" as INPUT or OUTPUT: the standard stream.
inline constexpr std::string_view StandardStream = "-";

enum class Verbosity { Quiet, Normal, Verbose };

struct CliOptions {
    std::vector<std::string> inputs;
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
    bool info = false;                       // tell what each input file is, convert nothing
    std::string diskFile;                    // PETSCII: the D64 entry to read; empty: the first picture
    std::optional<ImageOutput> imageOutput;  // -c png|bmp
    std::string koalizingOption;  // the first of -m, -b, --backgrounds, --clash-map, -n given, as spelled

    // --backgrounds without -o, or --info: the backgrounds or the files are described and
    // nothing is written.
    bool onlyListing() const { return info || (listBackgrounds && output.empty() && outputDir.empty()); }
};

struct ParsedCommandLine {
    enum class Action { Convert, Help, Version, UsageError };
    Action action = Action::Convert;
    CliOptions options;
    std::string error;                  // for UsageError
    std::vector<std::string> warnings;  // Convert: options that do less than they may seem to
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

// "auto", "index" or the palette's name, as --palette takes it.
std::string_view PaletteChoiceName(const PaletteChoice& choice);

// 'text' in quotes, for messages.
std::string Quoted(std::string_view text);

}  // namespace pxm::cli

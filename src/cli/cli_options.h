#pragma once
// The converter's command line.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/image_output.h"
#include "core/format/export_format.h"
#include "core/koala/koalize_step.h"
#include "core/import/palette_match.h"

namespace pxm::cli {

struct CliOptions {
    std::string input;
    std::string output;
    PaletteMode mode = PaletteMode::Multicolour;
    BackgroundChoice background = AutoBackground;
    ExportFormat format = ExportFormat::Koala;
    std::optional<Container> container;  // none: from the output file's extension
    std::string c64Name;                 // PETSCII; empty: the format's own C64 name
    bool fixSp2Flaw = false;
    bool executable = false;  // a program that shows the picture instead of the plain file
    std::optional<PaletteChoice> palette;  // none: AUTO for a PNG or GIF; a BMP takes only Index
    std::string preview;                   // the preview PNG to write; empty: none
    std::string clashMap;                  // the clash map PNG to write; empty: none
    bool listBackgrounds = false;
    bool info = false;                        // tell what the C64 input file is, convert nothing
    std::string diskFile;                     // PETSCII: the D64 entry to read; empty: the first picture
    std::optional<ImageOutput> imageOutput;   // -c png|bmp
    std::string koalizingOption;  // the first of -m, -b, --backgrounds, --clash-map given, as spelled
};

struct ParsedCommandLine {
    enum class Action { Convert, Help, Version, UsageError };
    Action action = Action::Convert;
    CliOptions options;
    std::string error;  // for UsageError
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

// "auto", "index" or the palette's name, as --palette takes it.
std::string_view PaletteChoiceName(const PaletteChoice& choice);

// The container given, else the one of OUTPUT's extension (any case), else P00.
Container ChosenContainer(const CliOptions& options);

// PNG or BMP when -c or OUTPUT's extension (any case) asks for it; none for a C64 file.
std::optional<ImageOutput> ChosenImageOutput(const CliOptions& options);

}  // namespace pxm::cli

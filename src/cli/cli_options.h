#pragma once
// The converter's command line.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/format/export_format.h"
#include "core/koala/koalize_step.h"

namespace pxm::cli {

struct CliOptions {
    std::string input;
    std::string output;
    PaletteMode mode = PaletteMode::Multicolour;
    int background = AutoBackground;  // or the C64 colour
    ExportFormat format = ExportFormat::Koala;
    std::optional<Container> container;  // none: from the output file's extension
    std::string c64Name;                 // PETSCII; empty: the format's own C64 name
    bool fixSp2Flaw = false;
    bool executable = false;  // a program that shows the picture instead of the plain file
};

struct ParsedCommandLine {
    enum class Action { Convert, Help, Version, UsageError };
    Action action = Action::Convert;
    CliOptions options;
    std::string error;  // for UsageError
};

// The arguments after the program name.
ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

// The container given, else the one of OUTPUT's extension (any case), else P00.
Container ChosenContainer(const CliOptions& options);

}  // namespace pxm::cli

#pragma once
// What an output file's extension stands for: one row per extension the converter writes. A C64
// container (.prg, .p00, .tap, .d64), a format's customary name for its PRG form (.kla: a
// Koala-Painter file), or a picture for PCs. An extension is matched in any case.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/format/export_format.h"

namespace pxm {

enum class OutputKind {
    C64File,     // the picture file in a C64 container
    PicturePng,  // the picture as a C64 shows it
    PictureBmp,  // the same as a 16-colour BMP whose indexes are the C64 colour numbers
};

struct OutputExtension {
    std::string_view extension;  // lower case, without the dot
    OutputKind kind;
    Container container;                 // C64File: the container it means
    std::optional<ExportFormat> format;  // the format the name means, if any
};

inline constexpr std::array<OutputExtension, 12> OutputExtensions{{
    {"prg", OutputKind::C64File, Container::Prg, std::nullopt},
    {"p00", OutputKind::C64File, Container::P00, std::nullopt},  // also .p01 to .p99
    {"tap", OutputKind::C64File, Container::Tap, std::nullopt},
    {"d64", OutputKind::C64File, Container::D64, std::nullopt},
    {"kla", OutputKind::C64File, Container::Prg, ExportFormat::Koala},
    {"koa", OutputKind::C64File, Container::Prg, ExportFormat::Koala},
    {"ocp", OutputKind::C64File, Container::Prg, ExportFormat::ArtStudio},
    {"mpic", OutputKind::C64File, Container::Prg, ExportFormat::ArtStudio},
    {"a64", OutputKind::C64File, Container::Prg, ExportFormat::Artist64},
    {"pi", OutputKind::C64File, Container::Prg, ExportFormat::BlazingPaddles},
    {"png", OutputKind::PicturePng, Container::Prg, std::nullopt},
    {"bmp", OutputKind::PictureBmp, Container::Prg, std::nullopt},
}};

constexpr bool IsPicture(OutputKind kind) { return kind != OutputKind::C64File; }

// The extension of a path's last part without the dot ("" when it has none).
std::string_view ExtensionOf(std::string_view path);

// The path without its extension.
std::string_view WithoutExtension(std::string_view path);

// The row of a path's extension; a PC64 name .p01 to .p99 counts as .p00.
std::optional<OutputExtension> OutputExtensionOf(std::string_view path);

// ".prg, .p00, ..., .png": every extension taken, for messages and the help.
std::string AcceptedExtensions();

}  // namespace pxm

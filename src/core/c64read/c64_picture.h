#pragma once
// A picture read from a C64 file: the Koala picture all formats are made of, and what the file
// was (format, container, load address, C64 name) and what reading it ignored or assumed.
#include <cstdint>
#include <optional>
#include <string>

#include "core/c64read/background_copies.h"
#include "core/c64read/loose_koala.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

struct C64Picture {
    KoalaImage image{};      // background 0 when the format keeps none
    ExportFormat format = ExportFormat::Koala;
    std::optional<Container> container;  // none: a plain PRG file
    bool showingProgram = false;         // the picture came inside a program that shows it
    std::optional<std::uint8_t> border;  // a showing program: the border colour it shows
    bool hasBackground = true;           // false: the format keeps no background (SP2)
    std::uint16_t loadAddress = 0;       // of the C64 file
    std::string c64Name;                 // PETSCII, padding cut; empty when the container names none
    bool loadAddressAssumed = false;     // the file had none: loadAddress is the format's
    std::optional<Padding> padding;      // bytes after the picture, ignored
    std::optional<DifferingBackground> differingBackground;  // the background's two bytes disagreed
};

}  // namespace pxm

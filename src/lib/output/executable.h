#pragma once
// A picture as a C64 program that shows it: LOAD and RUN it. The program loads at the start of
// BASIC and holds a BASIC line that calls the displayer, the displayer with its parameter block
// filled in for the picture, then the picture's data exactly as the plain file holds it.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/result.h"
#include "core/disk/d64_image.h"
#include "core/export/picture_file.h"
#include "core/format/c64_file.h"
#include "core/format/export_format.h"
#include "core/koala/koala_image.h"

namespace pxm {

inline constexpr std::uint16_t BasicStart = 0x0801;  // where LOAD puts a BASIC program
inline constexpr std::uint16_t BasicLineNumber = 10;
inline constexpr std::uint8_t SysToken = 0x9E;

// "10 SYS address" with its link pointer, then the program's end marker.
std::vector<std::uint8_t> BasicLine(std::uint16_t sysAddress);

// The BASIC line and the displayer, its parameter block zero: the program before the picture data.
std::vector<std::uint8_t> ProgramHead();

// The program's bytes after its load address BasicStart, for a format's picture data, showing
// the border colour given (none: the background the program shows).
std::vector<std::uint8_t> BuildProgram(ExportFormat format, std::span<const std::uint8_t> pictureData,
                                       std::optional<std::uint8_t> border = std::nullopt);

// Where the picture data stands in the program (bytes after the load address).
std::size_t PictureDataOffset();

// Where a displayer address (a field of its parameter block) stands in the program.
std::size_t ProgramOffset(std::uint16_t displayerAddress);

// The program as the containers take it; it views `program` and `name`.
C64File ProgramFile(std::span<const std::uint8_t> program, std::string_view name);

// The picture as a program named `name` (PETSCII), in a container, showing the border given
// (none: the background); a program could grow too large for a disk.
Result<PictureFile, TooLargeForDisk> BuildExecutableFile(const KoalaImage& image, ExportFormat format, Container container,
                                bool correctSp2Flaw, std::string_view name,
                                std::optional<std::uint8_t> border = std::nullopt);

}  // namespace pxm

#pragma once
// Koala files as they are found away from the paint program: padded after the picture by the
// programs that copied them off disks and tapes, or without the load address (only the 10001
// picture bytes). Both are read, and what was ignored or assumed is told.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/base/byte_reader.h"
#include "core/format/export_format.h"

namespace pxm {

// The only format read padded or without its load address: its plain size is its own.
inline constexpr ExportFormat LooseFormat = ExportFormat::Koala;

// Bytes after the picture that padding explains: one value repeated to the end of the file.
struct Padding {
    std::size_t count = 0;
    std::uint8_t value = 0;
};

// The padding after a format's picture bytes in `data` (after the load address); none when the
// format is not read padded, nothing follows the picture, or what follows is no padding.
std::optional<Padding> PaddingAfter(ExportFormat format, Bytes data);

// Whether a file is read as a Koala picture without its load address: exactly the picture's
// size and no PC picture (BMP, PNG, GIF, JPEG) by its signature. Asked only when nothing else
// reads the file.
bool MayBeBareKoala(Bytes file);

}  // namespace pxm

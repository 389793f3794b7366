#pragma once
// Reads a C64 picture from a file told by its content, not its name: a TAP image (its
// signature), a P00 file (its "C64File" header), a D64 image (its size) or a PRG file; when
// none of these reads, a Koala picture without its load address (its size).
#include <string_view>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/c64_picture.h"
#include "core/c64read/read_failure.h"
#include "core/c64read/showing_program.h"

namespace pxm {

struct C64ReadOptions {
    std::string_view diskFile;                      // PETSCII: the D64 entry to read; empty: the first picture
    const ShowingProgramLayout* programs = nullptr;  // the showing programs to know; null: none
};

Result<C64Picture, ReadFailure> ReadC64Picture(Bytes file, const C64ReadOptions& options);

// Whether the file is a C64 file this reader should answer for: a TAP, P00 or D64 image, a
// PRG whose load address is one a picture loads at, or a file of a Koala picture's size that
// no PC picture signature claims.
bool IsC64File(Bytes file, const ShowingProgramLayout* programs);

}  // namespace pxm

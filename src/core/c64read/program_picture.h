#pragma once
// The picture in a C64 program file: one of the five formats, known by its load address and
// length (SP2 by its load address and a stream that unpacks to exactly its layout), or a
// program that shows a picture, known by its layout and parameter block.
#include <cstdint>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/c64_picture.h"
#include "core/c64read/read_failure.h"
#include "core/c64read/showing_program.h"

namespace pxm {

// Bytes after the load address. `programs` describes the showing programs to know; null: none.
// The result's container and C64 name are left for the caller.
Result<C64Picture, ReadFailure> PictureFromProgram(std::uint16_t loadAddress, Bytes data,
                                                   const ShowingProgramLayout* programs);

// Whether a program loading here may be a picture: a format's load address or the programs'.
bool IsPictureLoadAddress(std::uint16_t loadAddress, const ShowingProgramLayout* programs);

}  // namespace pxm

#pragma once
// A C64 program file out of its PC forms: PRG (the load address, then the data) and PC64 P00
// (a 26-byte header with "C64File" and the C64 name, then the PRG form).
#include <cstdint>
#include <string>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/read_failure.h"

namespace pxm {

struct ProgramRead {
    std::uint16_t loadAddress = 0;
    std::string c64Name;  // PETSCII, without the zero bytes after it; empty for a PRG
    Bytes data;           // after the load address; views the file
};

bool IsP00File(Bytes file);

Result<ProgramRead, ReadFailure> ReadPrgFile(Bytes file);
Result<ProgramRead, ReadFailure> ReadP00File(Bytes file);

// A name as a header or directory holds it, cut at the first byte of `padding`.
std::string NameBefore(Bytes field, std::uint8_t padding);

}  // namespace pxm

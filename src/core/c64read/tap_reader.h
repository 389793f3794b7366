#pragma once
// The program files on a TAP image: each a header block (file type, start and end address,
// name) and the data block after it, each block from the first of its two copies that reads
// whole with its checksum, else from the repeated copy.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/read_failure.h"

namespace pxm {

struct TapeFile {
    std::uint16_t loadAddress = 0;
    std::string c64Name;  // PETSCII, padding cut
    std::vector<std::uint8_t> data;
};

// The files up to the first that does not read; that one's failure when it is the first.
Result<std::vector<TapeFile>, ReadFailure> ReadTapImage(Bytes file);

}  // namespace pxm

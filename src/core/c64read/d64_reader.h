#pragma once
// The program files on a 1541 disk image (35 or 40 tracks, with or without the error bytes):
// the directory's entries, followed from track 18 sector 1, and a file's bytes by its chain of
// blocks. A chain that comes back to a block it passed, or links to a block the disk does not
// have, is refused.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/read_failure.h"
#include "core/disk/disk_geometry.h"

namespace pxm {

// A disk image by its size, or one cut short by its BAM block.
bool IsD64Image(Bytes file);

struct DiskEntry {
    std::string c64Name;  // PETSCII, padding cut
    BlockAddress first;
};

// The closed program files of the directory, in its order.
Result<std::vector<DiskEntry>, ReadFailure> ReadDiskDirectory(Bytes disk);

// A file's bytes, its load address first.
Result<std::vector<std::uint8_t>, ReadFailure> ReadDiskFile(Bytes disk, BlockAddress first);

}  // namespace pxm

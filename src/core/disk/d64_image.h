#pragma once
// A 1541 disk image (D64, 35 tracks) holding one program file, as a freshly formatted disk
// holds it after a SAVE: the BAM, a directory with the file's entry, and the file's blocks
// where the drive would have put them.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/base/result.h"
#include "core/disk/disk_geometry.h"
#include "core/format/c64_file.h"

namespace pxm {

inline constexpr std::size_t D64ImageSize = DiskSectorCount * SectorSize;
inline constexpr int EmptyDiskBlocksFree = 664;
// A block holds the link to the next block, then this many bytes of the file.
inline constexpr std::size_t BlockDataSize = SectorSize - 2;

// Blocks a file of this many bytes (load address included) takes on a disk.
constexpr std::size_t BlockCount(std::size_t programSize) { return (programSize + BlockDataSize - 1) / BlockDataSize; }

// A file that does not fit on an empty disk: the blocks and bytes (its load address included)
// it would take.
struct TooLargeForDisk {
    std::size_t blocks = 0;
    std::size_t bytes = 0;
};

// A freshly formatted disk: its BAM and an empty directory.
std::vector<std::uint8_t> EmptyD64Image();

// Appends the whole image holding `file` (its load address, then its data); or appends nothing
// when the file does not fit on a disk.
Status<TooLargeForDisk> WriteD64Image(std::vector<std::uint8_t>& out, const C64File& file);

}  // namespace pxm

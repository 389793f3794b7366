#pragma once
// The blocks of a D64 image as it may come (35 or 40 tracks, with or without a byte of error
// code per block after them) and the chains of blocks a file or the directory is made of,
// walked so that a chain that comes back to a block already passed, or links to a block the
// disk does not have, is told rather than followed.
#include <array>
#include <bitset>
#include <cstddef>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/disk/disk_geometry.h"

namespace pxm {

inline constexpr int ExtendedTrackCount = 40;  // tracks 36 to 40 have 17 sectors, as the last zone
inline constexpr std::size_t ExtendedDiskSectors = DiskSectorCount + 5 * 17;
inline constexpr std::size_t ErrorBytesPerSector = 1;
inline constexpr std::array<std::size_t, 4> D64ImageSizes{
    DiskSectorCount * SectorSize, DiskSectorCount * (SectorSize + ErrorBytesPerSector),
    ExtendedDiskSectors * SectorSize, ExtendedDiskSectors * (SectorSize + ErrorBytesPerSector)};

// The tracks of an image of this many bytes.
int TracksOfImage(std::size_t size);

// The sectors of a track, tracks 36 to 40 included.
int SectorsOnAnyTrack(int track);

// The block's place in the image, counted in blocks.
std::size_t BlockIndex(BlockAddress block);

// The byte of error code of a block, in an image that has them; none in one without.
std::optional<std::uint8_t> ErrorCodeOf(Bytes disk, BlockAddress block);

enum class ChainFailureKind : std::uint8_t {
    Leaves,  // a link to a block the disk does not have
    Loops,   // a block already passed
    Cut,     // a block past the end of an image cut short
};

struct ChainFailure {
    ChainFailureKind kind = ChainFailureKind::Leaves;
    BlockAddress block;
};

// Visits blocks; each block is visited once and must be on the disk.
class ChainWalker {
public:
    explicit ChainWalker(Bytes disk) : disk_(disk), tracks_(TracksOfImage(disk.size())) {}

    // The block's 256 bytes.
    Result<Bytes, ChainFailure> Visit(BlockAddress block);

private:
    Bytes disk_;
    int tracks_;
    std::bitset<ExtendedDiskSectors> visited_;
};

// The link at the start of a whole block.
BlockAddress LinkOf(Bytes block);

}  // namespace pxm

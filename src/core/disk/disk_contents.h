#pragma once
// An existing disk image read before a file is added to it: its map of free blocks, its
// directory's entries and free slots, every file's chain of blocks. Read strictly, for the
// disk is to be written: any damage (an image of another size, a DOS version a 1541 will not
// write on, a BAM whose counts or bits do not add up, a directory off its track, a chain that
// loops or leaves the disk, a block in use that the BAM calls free, a block with a read error)
// refuses the disk, which is then never written.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/disk/block_allocation.h"

namespace pxm {

// Where a directory entry stands: its block, and its offset in the block.
struct DirectorySlot {
    BlockAddress block;
    std::size_t offset = 0;
};

struct DiskFileEntry {
    std::string c64Name;  // PETSCII, padding cut
    std::uint8_t type = 0;
    std::uint16_t blocks = 0;  // as the directory counts them
    DirectorySlot slot;
    std::vector<BlockAddress> chain;  // its blocks (a relative file's side sectors too)
};

struct DiskContents {
    FreeMap free{};                         // tracks 1 to 35, as the BAM keeps them
    std::vector<DiskFileEntry> files;       // the entries in use, in the directory's order
    std::vector<DirectorySlot> freeSlots;   // in the directory's order
    BlockAddress lastDirectoryBlock;
};

enum class DiskDamageKind : std::uint8_t {
    NotADiskImage,     // found = the file's size
    DosMismatch,       // found = the BAM's DOS version byte
    BamCount,          // block.track: found = its free count, expected = the free bits
    BamBits,           // block.track: bits set for sectors the track does not have
    DirectoryOffTrack, // block: a directory block off the directory track
    ChainLoops,        // block: a chain comes back to a block passed (in it or another file)
    ChainLeaves,       // block: a link to a block the disk does not have
    BlockFreeInBam,    // block: in use, but free in the BAM
    ReadError,         // block: found = its error code
};

struct DiskDamage {
    DiskDamageKind kind = DiskDamageKind::NotADiskImage;
    BlockAddress block;
    std::size_t found = 0;
    std::size_t expected = 0;
    std::string c64Name;  // PETSCII: the file the damage is in; empty: the BAM or the directory
};

Result<DiskContents, DiskDamage> ReadDiskContents(Bytes disk);

// The contents of a freshly formatted disk: the BAM and one empty directory block.
DiskContents EmptyDiskContents();

}  // namespace pxm

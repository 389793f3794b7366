#pragma once
// Reads a 35-track D64 image back for tests, from the 1541's layout as written down here and
// not from the writer's own tables: sector positions, the BAM's per-track entries, the first
// directory entry and the block chain it starts.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pxm::test {

using DiskBytes = std::vector<std::uint8_t>;
using Block = std::pair<int, int>;  // track, sector

inline int DiskSectors(int track) { return track <= 17 ? 21 : track <= 24 ? 19 : track <= 30 ? 18 : 17; }

inline std::size_t DiskOffset(int track, int sector) {
    std::size_t before = 0;
    for (int t = 1; t < track; ++t) before += static_cast<std::size_t>(DiskSectors(t));
    return 256 * (before + static_cast<std::size_t>(sector));
}

struct BamEntry {
    int free = 0;
    std::uint32_t bits = 0;  // bit n: sector n free
};

inline BamEntry BamEntryOf(const DiskBytes& disk, int track) {
    const std::size_t at = DiskOffset(18, 0) + 4 * static_cast<std::size_t>(track);
    return {disk[at], disk[at + 1] | (disk[at + 2] << 8) | (static_cast<std::uint32_t>(disk[at + 3]) << 16)};
}

// What a listing shows as BLOCKS FREE: the free counts of all tracks but the directory's.
inline int ListedBlocksFree(const DiskBytes& disk) {
    int free = 0;
    for (int track = 1; track <= 35; ++track) free += track == 18 ? 0 : BamEntryOf(disk, track).free;
    return free;
}

struct ChainRead {
    std::vector<Block> blocks;
    DiskBytes bytes;  // the file as LOAD reads it, load address first
};

// Follows the links from a first block; every block must be a real one, visited once.
inline ChainRead ReadChain(const DiskBytes& disk, Block first) {
    ChainRead chain;
    std::set<Block> seen;
    for (Block at = first;;) {
        const auto [track, sector] = at;
        if (track < 1 || track > 35 || sector < 0 || sector >= DiskSectors(track) || !seen.insert(at).second) {
            ADD_FAILURE() << "bad link to " << track << "/" << sector;
            return chain;
        }
        chain.blocks.push_back(at);
        const std::size_t offset = DiskOffset(track, sector);
        const int nextTrack = disk[offset];
        const int nextSector = disk[offset + 1];
        const std::size_t end = nextTrack == 0 ? static_cast<std::size_t>(nextSector) + 1 : 256;
        chain.bytes.insert(chain.bytes.end(), disk.begin() + static_cast<std::ptrdiff_t>(offset + 2),
                           disk.begin() + static_cast<std::ptrdiff_t>(offset + end));
        if (nextTrack == 0) return chain;
        at = {nextTrack, nextSector};
    }
}

// The file of the directory's first entry (track 18 sector 1, bytes 2-33).
struct DirectoryEntry {
    int type = 0;
    Block first;
    std::string name;  // all 16 bytes
    int blocks = 0;
};

inline DirectoryEntry FirstDirectoryEntry(const DiskBytes& disk) {
    const std::size_t at = DiskOffset(18, 1);
    return {disk[at + 2], {disk[at + 3], disk[at + 4]}, std::string(disk.begin() + static_cast<std::ptrdiff_t>(at + 5),
                                                                      disk.begin() + static_cast<std::ptrdiff_t>(at + 21)),
            disk[at + 30] | (disk[at + 31] << 8)};
}

}  // namespace pxm::test

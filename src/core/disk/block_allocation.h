#pragma once
// The disk's map of free blocks, as its BAM keeps it, and the blocks a 1541 picks for a file:
// the first next to the directory track, each next one ten sectors on (the interleave that
// lets the drive read the following block without waiting a whole turn), a full track left
// for the next one away from the directory, then the other half of the disk.
#include <array>
#include <cstdint>
#include <optional>

#include "core/disk/disk_geometry.h"

namespace pxm {

inline constexpr int SectorInterleave = 10;

// Bit n of a track's word: sector n is free.
using FreeMap = std::array<std::uint32_t, DiskTrackCount>;

FreeMap AllBlocksFree();
bool IsFree(const FreeMap& map, BlockAddress block);
void Allocate(FreeMap& map, BlockAddress block);
void Release(FreeMap& map, BlockAddress block);
int FreeSectors(const FreeMap& map, int track);
// What a directory listing shows as BLOCKS FREE: the directory track does not count.
int BlocksFree(const FreeMap& map);

// The sector tried after `sector` on a track of `sectors`: `interleave` on (ten for a file's
// blocks, three for the directory's), and one less after wrapping round past the last sector.
int InterleavedSector(int sector, int sectors, int interleave = SectorInterleave);

// Allocate and return the block a file's first block or the block after `previous` goes to;
// none when the disk is full.
std::optional<BlockAddress> AllocateFirstBlock(FreeMap& map);
std::optional<BlockAddress> AllocateNextBlock(FreeMap& map, BlockAddress previous);

}  // namespace pxm

#pragma once
// The facts of a 1541 disk's blocks that its writer and its reader share: the link at the start
// of every block, the directory's place and the fields of its entries.
#include <cstddef>
#include <cstdint>

#include "core/disk/disk_geometry.h"

namespace pxm {

inline constexpr BlockAddress BamBlock{DirectoryTrack, 0};
inline constexpr BlockAddress DirectoryBlock{DirectoryTrack, 1};

// Every block starts with the link to the next one: its track and sector, or, in a file's last
// block, track 0 and the index of the block's last used byte.
inline constexpr std::size_t LinkTrackOffset = 0;
inline constexpr std::size_t LinkSectorOffset = 1;
inline constexpr std::size_t BlockDataOffset = 2;

// The BAM block's DOS version byte, the same on every 1541 disk.
inline constexpr std::size_t BamDosVersionOffset = 2;
inline constexpr std::uint8_t DosVersion = 'A';

// The BAM block's map of free blocks: per track its free sectors, then 3 bytes of bitmap.
inline constexpr std::size_t BamTracksOffset = 4;
inline constexpr std::size_t BamTrackEntrySize = 4;
inline constexpr std::size_t BamFreeBitsOffset = 1;  // in a track's entry

// The last directory block links to track 0 and this sector.
inline constexpr std::uint8_t LastDirectoryBlockSector = 0xFF;
// A new directory block goes this many sectors on from the last one.
inline constexpr int DirectoryInterleave = 3;

inline constexpr std::uint8_t ShiftedSpace = 0xA0;  // pads names; a listing does not show it

// A directory block holds eight entries; the first starts at the block's start, sharing it
// with the link.
inline constexpr std::size_t DirectoryEntrySize = 32;
inline constexpr std::size_t EntryTypeOffset = 2;
inline constexpr std::size_t EntryFirstTrackOffset = 3;
inline constexpr std::size_t EntryFirstSectorOffset = 4;
inline constexpr std::size_t EntryNameOffset = 5;
inline constexpr std::size_t EntrySideSectorTrackOffset = 21;  // a relative file's side sectors
inline constexpr std::size_t EntrySideSectorSectorOffset = 22;
inline constexpr std::size_t EntryBlockCountOffset = 30;  // low byte first
inline constexpr std::size_t EntriesPerBlock = SectorSize / DirectoryEntrySize;
inline constexpr std::uint8_t ClosedFileFlag = 0x80;
inline constexpr std::uint8_t FileTypeMask = 0x07;
inline constexpr std::uint8_t ProgramFileKind = 0x02;
inline constexpr std::uint8_t RelativeFileKind = 0x04;
inline constexpr std::uint8_t LockedFileFlag = 0x40;
inline constexpr std::uint8_t ClosedProgramType = ClosedFileFlag | ProgramFileKind;

}  // namespace pxm

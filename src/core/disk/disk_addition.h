#pragma once
// A program file added to a disk as a 1541 SAVEs it: its blocks where the drive's DOS places
// them around the files already there, its entry in the directory's first free slot (a new
// directory block linked in when the directory's blocks are full), the BAM updated; no other
// byte of the disk changed. With `replace`, a program of the same name has its blocks freed
// first and the new one takes its entry.
#include <cstdint>
#include <span>

#include "core/base/result.h"
#include "core/disk/disk_contents.h"
#include "core/format/c64_file.h"

namespace pxm {

enum class AdditionFailureKind : std::uint8_t {
    NameTaken,      // a file of the name is on the disk (type: its type byte)
    NotAProgram,    // replace: the file of the name is no closed program file (type: its type byte)
    DiskFull,       // needed blocks, free blocks
    DirectoryFull,  // no free slot and no block for another directory block
};

struct AdditionFailure {
    AdditionFailureKind kind = AdditionFailureKind::DiskFull;
    std::size_t needed = 0;
    std::size_t free = 0;
    std::uint8_t type = 0;
};

// Adds the file to `disk` (at least the 35 tracks' bytes, what ReadDiskContents took) and keeps
// `contents` its reading. On a failure neither is changed.
Status<AdditionFailure> AddToDisk(std::span<std::uint8_t> disk, DiskContents& contents, const C64File& file, bool replace);

// The BAM's map of free blocks (tracks 1 to 35) written into the disk.
void WriteBamMap(std::span<std::uint8_t> disk, const FreeMap& free);

// The entry of that name, or none.
const DiskFileEntry* FindOnDisk(const DiskContents& contents, std::string_view c64Name);

}  // namespace pxm

#include "core/disk/disk_addition.h"

#include <algorithm>
#include <vector>

#include "core/base/byte_writer.h"
#include "core/disk/d64_image.h"
#include "core/disk/d64_layout.h"

namespace pxm {

namespace {

using Sector = std::span<std::uint8_t, SectorSize>;

Sector SectorAt(std::span<std::uint8_t> disk, BlockAddress block) {
    return disk.subspan(SectorOffset(block)).first<SectorSize>();
}

void Link(Sector sector, BlockAddress next) {
    PutByteAt(sector, LinkTrackOffset, static_cast<std::uint8_t>(next.track));
    PutByteAt(sector, LinkSectorOffset, static_cast<std::uint8_t>(next.sector));
}

// The file as LOAD reads it: the load address, low byte first, then the data.
std::vector<std::uint8_t> ProgramForm(const C64File& file) {
    std::vector<std::uint8_t> program;
    ByteWriter(program).Word(file.loadAddress).Append(file.data);
    return program;
}

// Writes the program over blocks chained from the first one and returns them; the caller made
// sure the disk has the blocks.
std::vector<BlockAddress> WriteChain(std::span<std::uint8_t> disk, FreeMap& free, std::span<const std::uint8_t> program) {
    std::vector<BlockAddress> chain{*AllocateFirstBlock(free)};
    for (std::size_t done = 0;;) {
        const BlockAddress block = chain.back();
        const std::size_t size = std::min(BlockDataSize, program.size() - done);
        const Sector sector = SectorAt(disk, block);
        const auto chunk = program.subspan(done, size);
        std::copy(chunk.begin(), chunk.end(), sector.begin() + BlockDataOffset);
        done += size;
        if (done == program.size()) {
            // A last block keeps no bytes of an older file after the program's end.
            std::fill(sector.begin() + static_cast<std::ptrdiff_t>(BlockDataOffset + size), sector.end(), 0);
            Link(sector, {0, static_cast<int>(BlockDataOffset + size - 1)});
            return chain;
        }
        chain.push_back(*AllocateNextBlock(free, block));
        Link(sector, chain.back());
    }
}

}  // namespace

void WriteBamMap(std::span<std::uint8_t> disk, const FreeMap& free) {
    const Sector bam = SectorAt(disk, BamBlock);
    for (int track = 1; track <= DiskTrackCount; ++track) {
        const std::size_t entry = BamTracksOffset + BamTrackEntrySize * static_cast<std::size_t>(track - 1);
        PutByteAt(bam, entry, static_cast<std::uint8_t>(FreeSectors(free, track)));
        PutLong24At(bam, entry + BamFreeBitsOffset, free[static_cast<std::size_t>(track - 1)]);
    }
}

namespace {

void WriteEntry(std::span<std::uint8_t> disk, DirectorySlot slot, std::string_view name, BlockAddress first,
                std::size_t blocks) {
    const auto entry = SectorAt(disk, slot.block).subspan(slot.offset, DirectoryEntrySize);
    std::fill(entry.begin() + EntryTypeOffset, entry.end(), 0);
    PutByteAt(entry, EntryTypeOffset, ClosedProgramType);
    PutByteAt(entry, EntryFirstTrackOffset, static_cast<std::uint8_t>(first.track));
    PutByteAt(entry, EntryFirstSectorOffset, static_cast<std::uint8_t>(first.sector));
    const auto nameField = entry.subspan(EntryNameOffset, C64NameLength);
    std::fill(nameField.begin(), nameField.end(), ShiftedSpace);
    const std::string_view cut = name.substr(0, C64NameLength);
    std::copy(cut.begin(), cut.end(), nameField.begin());
    PutWordAt(entry, EntryBlockCountOffset, static_cast<std::uint16_t>(blocks));
}

// The block a new directory block would take: on the directory track, the interleave on from
// the last one; none when the track is full.
std::optional<BlockAddress> NextDirectoryBlock(const DiskContents& contents) {
    const int sectors = SectorsOnTrack(DirectoryTrack);
    const int from = InterleavedSector(contents.lastDirectoryBlock.sector, sectors, DirectoryInterleave);
    for (int k = 0; k < sectors; ++k) {
        const BlockAddress block{DirectoryTrack, (from + k) % sectors};
        if (IsFree(contents.free, block)) return block;
    }
    return std::nullopt;
}

// A new, empty directory block linked behind the last; its slots become free.
void AddDirectoryBlock(std::span<std::uint8_t> disk, DiskContents& contents, FreeMap& free, BlockAddress block) {
    Allocate(free, block);
    Link(SectorAt(disk, contents.lastDirectoryBlock), block);
    const Sector sector = SectorAt(disk, block);
    std::fill(sector.begin(), sector.end(), 0);
    Link(sector, {0, LastDirectoryBlockSector});
    for (std::size_t offset = 0; offset < SectorSize; offset += DirectoryEntrySize) contents.freeSlots.push_back({block, offset});
    contents.lastDirectoryBlock = block;
}

}  // namespace

const DiskFileEntry* FindOnDisk(const DiskContents& contents, std::string_view c64Name) {
    const auto found = std::find_if(contents.files.begin(), contents.files.end(),
                                    [&](const DiskFileEntry& entry) { return entry.c64Name == c64Name; });
    return found == contents.files.end() ? nullptr : &*found;
}

Status<AdditionFailure> AddToDisk(std::span<std::uint8_t> disk, DiskContents& contents, const C64File& file, bool replace) {
    const std::string_view name = file.name.substr(0, C64NameLength);
    const DiskFileEntry* old = FindOnDisk(contents, name);
    if (old && !replace) return Fail(AdditionFailure{AdditionFailureKind::NameTaken, 0, 0, old->type});
    if (old && old->type != ClosedProgramType) return Fail(AdditionFailure{AdditionFailureKind::NotAProgram, 0, 0, old->type});

    // Everything checked before a byte changes.
    FreeMap free = contents.free;
    if (old) {
        for (const BlockAddress block : old->chain) {
            if (block.track <= DiskTrackCount) Release(free, block);
        }
    }
    const std::vector<std::uint8_t> program = ProgramForm(file);
    const std::size_t blocks = BlockCount(program.size());
    const auto blocksFree = static_cast<std::size_t>(BlocksFree(free));
    if (blocks > blocksFree) return Fail(AdditionFailure{AdditionFailureKind::DiskFull, blocks, blocksFree, 0});
    const bool needsDirectoryBlock = !old && contents.freeSlots.empty();
    const std::optional<BlockAddress> directoryBlock = needsDirectoryBlock ? NextDirectoryBlock(contents) : std::nullopt;
    if (needsDirectoryBlock && !directoryBlock) return Fail(AdditionFailure{AdditionFailureKind::DirectoryFull, 0, 0, 0});

    if (directoryBlock) AddDirectoryBlock(disk, contents, free, *directoryBlock);
    DiskFileEntry entry{std::string(name), ClosedProgramType, static_cast<std::uint16_t>(blocks), {}, {}};
    if (old) {
        entry.slot = old->slot;
    } else {
        entry.slot = contents.freeSlots.front();
        contents.freeSlots.erase(contents.freeSlots.begin());
    }
    entry.chain = WriteChain(disk, free, program);
    WriteEntry(disk, entry.slot, name, entry.chain.front(), blocks);
    contents.free = free;
    WriteBamMap(disk, contents.free);
    if (old) {
        contents.files[static_cast<std::size_t>(old - contents.files.data())] = std::move(entry);
    } else {
        contents.files.push_back(std::move(entry));
    }
    return Done{};
}

}  // namespace pxm

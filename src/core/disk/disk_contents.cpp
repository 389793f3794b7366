#include "core/disk/disk_contents.h"

#include <algorithm>
#include <bit>

#include "core/disk/block_chain.h"
#include "core/disk/d64_layout.h"
#include "core/format/c64_file.h"

namespace pxm {

namespace {

// Error codes a block may carry and still read: none recorded, or "no error".
constexpr std::uint8_t NoErrorCode = 0x00;
constexpr std::uint8_t ReadOkCode = 0x01;


DiskDamage DamageAt(DiskDamageKind kind, BlockAddress block, std::string c64Name = {}) {
    return {kind, block, 0, 0, std::move(c64Name)};
}

DiskDamage FromChain(const ChainFailure& failure, std::string c64Name) {
    return DamageAt(failure.kind == ChainFailureKind::Loops ? DiskDamageKind::ChainLoops : DiskDamageKind::ChainLeaves,
                    failure.block, std::move(c64Name));
}

std::string NameOf(Bytes entry) {
    const Bytes name = *FieldOf(entry, {EntryNameOffset, C64NameLength});
    const auto end = std::find(name.begin(), name.end(), ShiftedSpace);
    return {name.begin(), end};
}

// The free map the BAM holds, with its counts checked against its bits.
Result<FreeMap, DiskDamage> ReadBam(Bytes bam) {
    if (*ByteAt(bam, BamDosVersionOffset) != DosVersion)
        return Fail(DiskDamage{DiskDamageKind::DosMismatch, BamBlock, *ByteAt(bam, BamDosVersionOffset), DosVersion, {}});
    FreeMap free{};
    for (int track = 1; track <= DiskTrackCount; ++track) {
        const std::size_t entry = BamTracksOffset + BamTrackEntrySize * static_cast<std::size_t>(track - 1);
        const std::uint32_t bits = *Long24At(bam, entry + BamFreeBitsOffset);
        const std::uint8_t count = *ByteAt(bam, entry);
        if (bits >> SectorsOnTrack(track) != 0) return Fail(DamageAt(DiskDamageKind::BamBits, {track, 0}));
        if (count != std::popcount(bits))
            return Fail(DiskDamage{DiskDamageKind::BamCount, {track, 0}, count, static_cast<std::size_t>(std::popcount(bits)), {}});
        free[static_cast<std::size_t>(track - 1)] = bits;
    }
    return free;
}

// A block in use must be used in the BAM (tracks past 35 have no place in it) and read.
Status<DiskDamage> CheckInUse(Bytes disk, const FreeMap& free, BlockAddress block, const std::string& c64Name) {
    if (block.track <= DiskTrackCount && IsFree(free, block)) return Fail(DamageAt(DiskDamageKind::BlockFreeInBam, block, c64Name));
    const std::optional<std::uint8_t> code = ErrorCodeOf(disk, block);
    if (code && *code != NoErrorCode && *code != ReadOkCode)
        return Fail(DiskDamage{DiskDamageKind::ReadError, block, *code, 0, c64Name});
    return Done{};
}

// Walks a file's chain from `first`, each block checked, into `chain`.
Status<DiskDamage> WalkChain(Bytes disk, const FreeMap& free, ChainWalker& walker, BlockAddress first,
                             const std::string& c64Name, std::vector<BlockAddress>& chain) {
    for (BlockAddress at = first;;) {
        const Result<Bytes, ChainFailure> block = walker.Visit(at);
        if (!block) return Fail(FromChain(block.error(), c64Name));
        if (Status<DiskDamage> used = CheckInUse(disk, free, at, c64Name); !used) return used;
        chain.push_back(at);
        at = LinkOf(*block);
        if (at.track == 0) return Done{};
    }
}

// An entry in use: its chains walked.
Result<DiskFileEntry, DiskDamage> ReadEntry(Bytes disk, const FreeMap& free, ChainWalker& walker, Bytes entry,
                                            DirectorySlot slot) {
    DiskFileEntry file{NameOf(entry), *ByteAt(entry, EntryTypeOffset), *WordAt(entry, EntryBlockCountOffset), slot, {}};
    const std::uint8_t kind = file.type & FileTypeMask;
    if (kind == 0) return file;  // a DEL entry holds no blocks
    if (Status<DiskDamage> walked = WalkChain(disk, free, walker, {*ByteAt(entry, EntryFirstTrackOffset),
                                                                    *ByteAt(entry, EntryFirstSectorOffset)},
                                              file.c64Name, file.chain);
        !walked)
        return Fail(walked.error());
    if (kind == RelativeFileKind) {
        if (Status<DiskDamage> walked = WalkChain(disk, free, walker, {*ByteAt(entry, EntrySideSectorTrackOffset),
                                                                        *ByteAt(entry, EntrySideSectorSectorOffset)},
                                                  file.c64Name, file.chain);
            !walked)
            return Fail(walked.error());
    }
    return file;
}

}  // namespace

Result<DiskContents, DiskDamage> ReadDiskContents(Bytes disk) {
    if (std::find(D64ImageSizes.begin(), D64ImageSizes.end(), disk.size()) == D64ImageSizes.end())
        return Fail(DiskDamage{DiskDamageKind::NotADiskImage, {}, disk.size(), D64ImageSizes[0], {}});
    ChainWalker walker(disk);
    const Result<Bytes, ChainFailure> bam = walker.Visit(BamBlock);
    DiskContents contents;
    Result<FreeMap, DiskDamage> free = ReadBam(*bam);
    if (!free) return Fail(free.error());
    contents.free = *free;
    if (Status<DiskDamage> used = CheckInUse(disk, contents.free, BamBlock, {}); !used) return Fail(used.error());
    // The directory's blocks first, so that a file's chain running into them is told.
    std::vector<std::pair<BlockAddress, Bytes>> directory;
    for (BlockAddress at = LinkOf(*bam);;) {
        if (at.track != DirectoryTrack) return Fail(DamageAt(DiskDamageKind::DirectoryOffTrack, at));
        const Result<Bytes, ChainFailure> block = walker.Visit(at);
        if (!block) return Fail(FromChain(block.error(), {}));
        if (Status<DiskDamage> used = CheckInUse(disk, contents.free, at, {}); !used) return Fail(used.error());
        directory.emplace_back(at, *block);
        contents.lastDirectoryBlock = at;
        at = LinkOf(*block);
        if (at.track == 0) break;
    }
    for (const auto& [at, block] : directory) {
        for (std::size_t offset = 0; offset < SectorSize; offset += DirectoryEntrySize) {
            const Bytes entry = *FieldOf(block, {offset, DirectoryEntrySize});
            const DirectorySlot slot{at, offset};
            if (*ByteAt(entry, EntryTypeOffset) == 0) {
                contents.freeSlots.push_back(slot);
                continue;
            }
            Result<DiskFileEntry, DiskDamage> file = ReadEntry(disk, contents.free, walker, entry, slot);
            if (!file) return Fail(file.error());
            contents.files.push_back(std::move(file).value());
        }
    }
    return contents;
}

DiskContents EmptyDiskContents() {
    DiskContents contents;
    contents.free = AllBlocksFree();
    Allocate(contents.free, BamBlock);
    Allocate(contents.free, DirectoryBlock);
    for (std::size_t offset = 0; offset < SectorSize; offset += DirectoryEntrySize)
        contents.freeSlots.push_back({DirectoryBlock, offset});
    contents.lastDirectoryBlock = DirectoryBlock;
    return contents;
}

}  // namespace pxm

#include "core/c64read/d64_reader.h"

#include <array>
#include <bitset>

#include "core/c64read/program_containers.h"
#include "core/disk/d64_layout.h"
#include "core/format/c64_file.h"

namespace pxm {

namespace {

constexpr int ExtendedTrackCount = 40;  // tracks 36 to 40 have 17 sectors, as the last zone
constexpr std::size_t ErrorBytesPerSector = 1;
constexpr std::size_t ExtendedDiskSectors = DiskSectorCount + 5 * 17;
constexpr std::array<std::size_t, 4> ImageSizes{
    DiskSectorCount * SectorSize, DiskSectorCount * (SectorSize + ErrorBytesPerSector),
    ExtendedDiskSectors * SectorSize, ExtendedDiskSectors * (SectorSize + ErrorBytesPerSector)};


// An image cut short still shows the BAM block where a disk has it.
bool HasBam(Bytes file) {
    const std::optional<Bytes> bam = FieldOf(file, {SectorOffset(BamBlock), SectorSize});
    return bam && ByteAt(*bam, LinkTrackOffset) == DirectoryBlock.track &&
           ByteAt(*bam, LinkSectorOffset) == DirectoryBlock.sector && ByteAt(*bam, BamDosVersionOffset) == DosVersion;
}

int TracksOf(Bytes disk) {
    return disk.size() >= ExtendedDiskSectors * SectorSize ? ExtendedTrackCount : DiskTrackCount;
}

int SectorsOn(int track) { return track > DiskTrackCount ? SpeedZones.back().sectors : SectorsOnTrack(track); }

std::size_t BlockIndex(BlockAddress block) {
    std::size_t before = 0;
    for (int t = 1; t < block.track; ++t) before += static_cast<std::size_t>(SectorsOn(t));
    return before + static_cast<std::size_t>(block.sector);
}

ReadFailure DiskFailure(ReadFailureKind kind, BlockAddress block) {
    ReadFailure failure;
    failure.kind = kind;
    failure.container = Container::D64;
    failure.track = block.track;
    failure.sector = block.sector;
    return failure;
}

// Walks a chain of blocks; each block is visited once and must be on the disk.
class ChainWalker {
public:
    explicit ChainWalker(Bytes disk) : disk_(disk), tracks_(TracksOf(disk)) {}

    Result<Bytes, ReadFailure> Visit(BlockAddress block) {
        if (block.track < 1 || block.track > tracks_ || block.sector < 0 || block.sector >= SectorsOn(block.track))
            return Fail(DiskFailure(ReadFailureKind::DiskChainLeaves, block));
        const std::size_t index = BlockIndex(block);
        if (visited_.test(index)) return Fail(DiskFailure(ReadFailureKind::DiskChainLoops, block));
        visited_.set(index);
        const std::optional<Bytes> bytes = FieldOf(disk_, {index * SectorSize, SectorSize});
        if (!bytes) {
            ReadFailure failure = DiskFailure(ReadFailureKind::DiskImageCut, block);
            failure.found = disk_.size();
            failure.expected = ImageSizes[0];
            return Fail(failure);
        }
        return *bytes;
    }

private:
    Bytes disk_;
    int tracks_;
    std::bitset<ExtendedDiskSectors> visited_;
};

// block: a whole block, as ChainWalker gives it.
BlockAddress LinkOf(Bytes block) { return {*ByteAt(block, LinkTrackOffset), *ByteAt(block, LinkSectorOffset)}; }

}  // namespace

bool IsD64Image(Bytes file) {
    for (const std::size_t size : ImageSizes) {
        if (file.size() == size) return true;
    }
    return file.size() < ImageSizes[0] && HasBam(file);
}

Result<std::vector<DiskEntry>, ReadFailure> ReadDiskDirectory(Bytes disk) {
    std::vector<DiskEntry> entries;
    ChainWalker walker(disk);
    for (BlockAddress at = DirectoryBlock;;) {
        const Result<Bytes, ReadFailure> block = walker.Visit(at);
        if (!block) return Fail(block.error());
        for (std::size_t at = 0; at < SectorSize; at += DirectoryEntrySize) {
            const Bytes entry = *FieldOf(*block, {at, DirectoryEntrySize});
            const std::uint8_t type = *ByteAt(entry, EntryTypeOffset);
            if ((type & ClosedFileFlag) == 0 || (type & FileTypeMask) != ProgramFileKind) continue;
            entries.push_back({NameBefore(*FieldOf(entry, {EntryNameOffset, C64NameLength}), ShiftedSpace),
                               {*ByteAt(entry, EntryFirstTrackOffset), *ByteAt(entry, EntryFirstSectorOffset)}});
        }
        at = LinkOf(*block);
        if (at.track == 0) return entries;
    }
}

Result<std::vector<std::uint8_t>, ReadFailure> ReadDiskFile(Bytes disk, BlockAddress first) {
    std::vector<std::uint8_t> file;
    ChainWalker walker(disk);
    for (BlockAddress at = first;;) {
        const Result<Bytes, ReadFailure> block = walker.Visit(at);
        if (!block) return Fail(block.error());
        const BlockAddress next = LinkOf(*block);
        // The last block's link holds the index of its last byte.
        const std::size_t end = next.track == 0 ? std::max<std::size_t>(next.sector + 1u, BlockDataOffset) : SectorSize;
        file.insert(file.end(), block->begin() + BlockDataOffset, block->begin() + static_cast<std::ptrdiff_t>(end));
        if (next.track == 0) return file;
        at = next;
    }
}

}  // namespace pxm

#include "core/c64read/d64_reader.h"

#include "core/c64read/program_containers.h"
#include "core/disk/block_chain.h"
#include "core/disk/d64_layout.h"
#include "core/format/c64_file.h"

namespace pxm {

namespace {

// An image cut short still shows the BAM block where a disk has it.
bool HasBam(Bytes file) {
    const std::optional<Bytes> bam = FieldOf(file, {SectorOffset(BamBlock), SectorSize});
    return bam && ByteAt(*bam, LinkTrackOffset) == DirectoryBlock.track &&
           ByteAt(*bam, LinkSectorOffset) == DirectoryBlock.sector && ByteAt(*bam, BamDosVersionOffset) == DosVersion;
}

ReadFailure DiskFailure(const ChainFailure& chain, Bytes disk) {
    ReadFailure failure;
    switch (chain.kind) {
        case ChainFailureKind::Leaves: failure.kind = ReadFailureKind::DiskChainLeaves; break;
        case ChainFailureKind::Loops: failure.kind = ReadFailureKind::DiskChainLoops; break;
        case ChainFailureKind::Cut:
            failure.kind = ReadFailureKind::DiskImageCut;
            failure.found = disk.size();
            failure.expected = D64ImageSizes[0];
            break;
    }
    failure.container = Container::D64;
    failure.track = chain.block.track;
    failure.sector = chain.block.sector;
    return failure;
}

}  // namespace

bool IsD64Image(Bytes file) {
    for (const std::size_t size : D64ImageSizes) {
        if (file.size() == size) return true;
    }
    return file.size() < D64ImageSizes[0] && HasBam(file);
}

Result<std::vector<DiskEntry>, ReadFailure> ReadDiskDirectory(Bytes disk) {
    std::vector<DiskEntry> entries;
    ChainWalker walker(disk);
    for (BlockAddress at = DirectoryBlock;;) {
        const Result<Bytes, ChainFailure> block = walker.Visit(at);
        if (!block) return Fail(DiskFailure(block.error(), disk));
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
        const Result<Bytes, ChainFailure> block = walker.Visit(at);
        if (!block) return Fail(DiskFailure(block.error(), disk));
        const BlockAddress next = LinkOf(*block);
        // The last block's link holds the index of its last byte.
        const std::size_t end = next.track == 0 ? std::max<std::size_t>(next.sector + 1u, BlockDataOffset) : SectorSize;
        file.insert(file.end(), block->begin() + BlockDataOffset, block->begin() + static_cast<std::ptrdiff_t>(end));
        if (next.track == 0) return file;
        at = next;
    }
}

}  // namespace pxm

#include "core/disk/block_chain.h"

#include "core/disk/d64_layout.h"

namespace pxm {

int TracksOfImage(std::size_t size) {
    return size >= ExtendedDiskSectors * SectorSize ? ExtendedTrackCount : DiskTrackCount;
}

int SectorsOnAnyTrack(int track) { return track > DiskTrackCount ? SpeedZones.back().sectors : SectorsOnTrack(track); }

std::size_t BlockIndex(BlockAddress block) {
    std::size_t before = 0;
    for (int t = 1; t < block.track; ++t) before += static_cast<std::size_t>(SectorsOnAnyTrack(t));
    return before + static_cast<std::size_t>(block.sector);
}

std::optional<std::uint8_t> ErrorCodeOf(Bytes disk, BlockAddress block) {
    for (const std::size_t sectors : {DiskSectorCount, ExtendedDiskSectors}) {
        if (disk.size() == sectors * (SectorSize + ErrorBytesPerSector)) return ByteAt(disk, sectors * SectorSize + BlockIndex(block));
    }
    return std::nullopt;
}

Result<Bytes, ChainFailure> ChainWalker::Visit(BlockAddress block) {
    if (block.track < 1 || block.track > tracks_ || block.sector < 0 || block.sector >= SectorsOnAnyTrack(block.track))
        return Fail(ChainFailure{ChainFailureKind::Leaves, block});
    const std::size_t index = BlockIndex(block);
    if (visited_.test(index)) return Fail(ChainFailure{ChainFailureKind::Loops, block});
    visited_.set(index);
    const std::optional<Bytes> bytes = FieldOf(disk_, {index * SectorSize, SectorSize});
    if (!bytes) return Fail(ChainFailure{ChainFailureKind::Cut, block});
    return *bytes;
}

BlockAddress LinkOf(Bytes block) { return {*ByteAt(block, LinkTrackOffset), *ByteAt(block, LinkSectorOffset)}; }

}  // namespace pxm

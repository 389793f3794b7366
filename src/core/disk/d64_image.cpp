#include "core/disk/d64_image.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "core/base/byte_writer.h"
#include "core/disk/block_allocation.h"
#include "core/disk/d64_layout.h"

namespace pxm {

namespace {

using Sector = std::span<std::uint8_t, SectorSize>;

static_assert(D64ImageSize == 174848);

constexpr std::string_view DiskName = "PIXMOSAIC";
constexpr std::string_view DiskId = "PX";
constexpr std::string_view DosType = "2A";

constexpr std::uint8_t LastDirectoryBlockSector = 0xFF;

// The BAM block.
constexpr std::size_t BamTracksOffset = 4;  // per track: free sectors, then 3 bytes of bitmap
constexpr std::size_t BamTrackEntrySize = 4;
constexpr std::size_t BamFreeBitsOffset = 1;  // in a track's entry
constexpr std::size_t BamDiskNameOffset = 0x90;
constexpr std::size_t BamDiskIdOffset = 0xA2;
constexpr std::size_t BamDosTypeOffset = 0xA5;
constexpr std::size_t BamLabelEnd = 0xAB;  // the label runs from the disk name to here, padded


// The file as LOAD reads it: the load address, low byte first, then the data.
std::vector<std::uint8_t> ProgramForm(const C64File& file) {
    std::vector<std::uint8_t> program;
    ByteWriter(program).Word(file.loadAddress).Append(file.data);
    return program;
}

Sector SectorAt(std::span<std::uint8_t, D64ImageSize> image, BlockAddress block) {
    return image.subspan(SectorOffset(block)).first<SectorSize>();
}

void Link(Sector sector, std::uint8_t track, std::uint8_t next) {
    PutByteAt(sector, LinkTrackOffset, track);
    PutByteAt(sector, LinkSectorOffset, next);
}

void Put(Sector sector, std::size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), sector.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutPadded(Sector sector, std::size_t offset, std::string_view name) {
    const auto start = sector.begin() + static_cast<std::ptrdiff_t>(offset);
    std::fill(start, start + C64NameLength, ShiftedSpace);
    Put(sector, offset, name.substr(0, C64NameLength));
}

// Writes the program over blocks chained from the first one and returns that one.
BlockAddress WriteChain(std::span<std::uint8_t, D64ImageSize> image, FreeMap& free, std::span<const std::uint8_t> program) {
    const BlockAddress first = *AllocateFirstBlock(free);  // the caller made sure the file fits
    BlockAddress block = first;
    for (std::size_t done = 0;;) {
        const std::size_t size = std::min(BlockDataSize, program.size() - done);
        const Sector sector = SectorAt(image, block);
        const auto chunk = program.subspan(done, size);
        std::copy(chunk.begin(), chunk.end(), sector.begin() + BlockDataOffset);
        done += size;
        if (done == program.size()) {
            Link(sector, 0, static_cast<std::uint8_t>(BlockDataOffset + size - 1));
            return first;
        }
        const BlockAddress next = *AllocateNextBlock(free, block);
        Link(sector, static_cast<std::uint8_t>(next.track), static_cast<std::uint8_t>(next.sector));
        block = next;
    }
}

void WriteBam(Sector sector, const FreeMap& free) {
    Link(sector, static_cast<std::uint8_t>(DirectoryBlock.track), static_cast<std::uint8_t>(DirectoryBlock.sector));
    PutByteAt(sector, BamDosVersionOffset, DosVersion);
    for (int track = 1; track <= DiskTrackCount; ++track) {
        const std::size_t entry = BamTracksOffset + BamTrackEntrySize * static_cast<std::size_t>(track - 1);
        PutByteAt(sector, entry, static_cast<std::uint8_t>(FreeSectors(free, track)));
        PutLong24At(sector, entry + BamFreeBitsOffset, free[static_cast<std::size_t>(track - 1)]);
    }
    std::fill(sector.begin() + BamDiskNameOffset, sector.begin() + BamLabelEnd, ShiftedSpace);
    Put(sector, BamDiskNameOffset, DiskName);
    Put(sector, BamDiskIdOffset, DiskId);
    Put(sector, BamDosTypeOffset, DosType);
}

void WriteDirectory(Sector sector, std::string_view name, BlockAddress first, std::size_t blocks) {
    Link(sector, 0, LastDirectoryBlockSector);
    PutByteAt(sector, EntryTypeOffset, ClosedProgramType);
    PutByteAt(sector, EntryFirstTrackOffset, static_cast<std::uint8_t>(first.track));
    PutByteAt(sector, EntryFirstSectorOffset, static_cast<std::uint8_t>(first.sector));
    PutPadded(sector, EntryNameOffset, name);
    PutWordAt(sector, EntryBlockCountOffset, static_cast<std::uint16_t>(blocks));
}

}  // namespace

Status<TooLargeForDisk> WriteD64Image(std::vector<std::uint8_t>& out, const C64File& file) {
    const std::vector<std::uint8_t> program = ProgramForm(file);
    const std::size_t blocks = BlockCount(program.size());
    if (blocks > static_cast<std::size_t>(EmptyDiskBlocksFree)) return Fail(TooLargeForDisk{blocks, program.size()});
    const std::size_t start = out.size();
    out.resize(start + D64ImageSize);
    const std::span<std::uint8_t, D64ImageSize> image(out.data() + start, D64ImageSize);
    FreeMap free = AllBlocksFree();
    Allocate(free, BamBlock);
    Allocate(free, DirectoryBlock);
    const BlockAddress first = WriteChain(image, free, program);
    WriteDirectory(SectorAt(image, DirectoryBlock), file.name, first, blocks);
    WriteBam(SectorAt(image, BamBlock), free);
    return Done{};
}

}  // namespace pxm

#include "core/disk/d64_image.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "core/base/byte_writer.h"
#include "core/disk/block_allocation.h"
#include "core/disk/d64_layout.h"
#include "core/disk/disk_addition.h"

namespace pxm {

namespace {

static_assert(D64ImageSize == 174848);

constexpr std::string_view DiskName = "PIXMOSAIC";
constexpr std::string_view DiskId = "PX";
constexpr std::string_view DosType = "2A";

// The BAM block's label.
constexpr std::size_t BamDiskNameOffset = 0x90;
constexpr std::size_t BamDiskIdOffset = 0xA2;
constexpr std::size_t BamDosTypeOffset = 0xA5;
constexpr std::size_t BamLabelEnd = 0xAB;  // the label runs from the disk name to here, padded

void Put(std::span<std::uint8_t> sector, std::size_t offset, std::string_view text) {
    std::copy(text.begin(), text.end(), sector.begin() + static_cast<std::ptrdiff_t>(offset));
}

// A freshly formatted disk's BAM (its map written with the first file) and empty directory.
void Format(std::span<std::uint8_t, D64ImageSize> image) {
    const auto bam = image.subspan(SectorOffset(BamBlock), SectorSize);
    PutByteAt(bam, LinkTrackOffset, static_cast<std::uint8_t>(DirectoryBlock.track));
    PutByteAt(bam, LinkSectorOffset, static_cast<std::uint8_t>(DirectoryBlock.sector));
    PutByteAt(bam, BamDosVersionOffset, DosVersion);
    std::fill(bam.begin() + BamDiskNameOffset, bam.begin() + BamLabelEnd, ShiftedSpace);
    Put(bam, BamDiskNameOffset, DiskName);
    Put(bam, BamDiskIdOffset, DiskId);
    Put(bam, BamDosTypeOffset, DosType);
    const auto directory = image.subspan(SectorOffset(DirectoryBlock), SectorSize);
    PutByteAt(directory, LinkSectorOffset, LastDirectoryBlockSector);
}

}  // namespace

std::vector<std::uint8_t> EmptyD64Image() {
    std::vector<std::uint8_t> image(D64ImageSize);
    Format(std::span<std::uint8_t, D64ImageSize>(image.data(), D64ImageSize));
    WriteBamMap(image, EmptyDiskContents().free);
    return image;
}

Status<TooLargeForDisk> WriteD64Image(std::vector<std::uint8_t>& out, const C64File& file) {
    const std::size_t bytes = LoadAddressSize + file.data.size();
    const std::size_t blocks = BlockCount(bytes);
    if (blocks > static_cast<std::size_t>(EmptyDiskBlocksFree)) return Fail(TooLargeForDisk{blocks, bytes});
    const std::size_t start = out.size();
    out.resize(start + D64ImageSize);
    const std::span<std::uint8_t, D64ImageSize> image(out.data() + start, D64ImageSize);
    Format(image);
    DiskContents contents = EmptyDiskContents();
    [[maybe_unused]] const Status<AdditionFailure> added = AddToDisk(image, contents, file, false);
    return Done{};
}

}  // namespace pxm

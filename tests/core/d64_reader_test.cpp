// Disk images read back: the first picture among the programs, a file by name, and the disks
// whose chains of blocks loop or leave the disk.
#include <gtest/gtest.h>

#include "core/c64read/c64_picture_reader.h"
#include "core/disk/disk_geometry.h"
#include "core/export/picture_file.h"
#include "tests/core/c64read_test_support.h"

namespace pxm {
namespace {

using Disk = std::vector<std::uint8_t>;

constexpr std::size_t DirectoryAt = SectorOffset({18, 1});

Disk KoalaDisk(const KoalaImage& image, std::string_view name = {}) {
    return BuildPictureFile(image, ExportFormat::Koala, Container::D64, false, name).bytes;
}

// A second directory entry, a copy of the first under another name.
void AddEntry(Disk& disk, std::string_view name) {
    std::copy_n(disk.begin() + DirectoryAt + 2, 30, disk.begin() + DirectoryAt + 32 + 2);
    std::fill_n(disk.begin() + DirectoryAt + 32 + 5, 16, 0xA0);
    std::copy(name.begin(), name.end(), disk.begin() + DirectoryAt + 32 + 5);
}

Result<C64Picture, ReadFailure> Read(const Disk& disk, std::string_view file = {}) {
    return ReadC64Picture(disk, {.diskFile = file});
}

TEST(D64Reader, ReadsANamedFileOrTheFirstPicture) {
    const auto image = test::RandomImage(21);
    Disk disk = KoalaDisk(*image, "FIRST");
    AddEntry(disk, "SECOND");
    for (const std::string_view name : {"", "FIRST", "SECOND"}) {
        const Result<C64Picture, ReadFailure> read = Read(disk, name);
        ASSERT_TRUE(read.ok()) << name;
        EXPECT_TRUE(read->image == *image);
        EXPECT_EQ(read->c64Name, name.empty() ? "FIRST" : name);
        EXPECT_EQ(read->container, Container::D64);
    }
    const Result<C64Picture, ReadFailure> missing = Read(disk, "THIRD");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, ReadFailureKind::DiskNoSuchFile);
    EXPECT_EQ(missing.error().c64Name, "THIRD");
}

TEST(D64Reader, SkipsProgramsThatAreNoPicture) {
    const auto image = test::RandomImage(22);
    Disk disk = KoalaDisk(*image, "PIC");
    AddEntry(disk, "TOOL");
    // The first entry becomes a program at $0801 of one block; the picture is the second.
    const BlockAddress free{1, 0};
    disk[DirectoryAt + 3] = 1;
    disk[DirectoryAt + 4] = 0;
    const std::size_t block = SectorOffset(free);
    disk[block] = 0;
    disk[block + 1] = 5;
    disk[block + 2] = 0x01;
    disk[block + 3] = 0x08;
    const Result<C64Picture, ReadFailure> read = Read(disk);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->c64Name, "TOOL");

    const Result<C64Picture, ReadFailure> named = Read(disk, "PIC");
    ASSERT_FALSE(named.ok());
    EXPECT_EQ(named.error().kind, ReadFailureKind::UnknownLoadAddress);
    EXPECT_EQ(named.error().address, 0x0801);

    disk[DirectoryAt + 32 + 2] = 0x81;  // the picture becomes a sequential file
    const Result<C64Picture, ReadFailure> none = Read(disk);
    ASSERT_FALSE(none.ok());
    EXPECT_EQ(none.error().kind, ReadFailureKind::DiskNoPicture);
    EXPECT_EQ(none.error().found, 1u);
}

TEST(D64Reader, RefusesChainsThatLoopOrLeaveTheDisk) {
    Disk disk = KoalaDisk(*test::RandomImage(23));
    const BlockAddress first{disk[DirectoryAt + 3], disk[DirectoryAt + 4]};
    const std::size_t firstAt = SectorOffset(first);
    const BlockAddress second{disk[firstAt], disk[firstAt + 1]};
    const std::size_t secondAt = SectorOffset(second);

    Disk loop = disk;
    loop[secondAt] = static_cast<std::uint8_t>(first.track);
    loop[secondAt + 1] = static_cast<std::uint8_t>(first.sector);
    const Result<C64Picture, ReadFailure> looped = Read(loop);
    ASSERT_FALSE(looped.ok());
    EXPECT_EQ(looped.error().kind, ReadFailureKind::DiskChainLoops);
    EXPECT_EQ(looped.error().track, first.track);
    EXPECT_EQ(looped.error().sector, first.sector);

    for (const BlockAddress outside : {BlockAddress{36, 0}, BlockAddress{first.track, 21}, BlockAddress{18, 19}}) {
        Disk leave = disk;
        leave[secondAt] = static_cast<std::uint8_t>(outside.track);
        leave[secondAt + 1] = static_cast<std::uint8_t>(outside.sector);
        const Result<C64Picture, ReadFailure> left = Read(leave);
        ASSERT_FALSE(left.ok());
        EXPECT_EQ(left.error().kind, ReadFailureKind::DiskChainLeaves);
        EXPECT_EQ(left.error().track, outside.track);
    }

    Disk directoryLoop = disk;
    directoryLoop[DirectoryAt] = 18;
    directoryLoop[DirectoryAt + 1] = 1;
    EXPECT_EQ(Read(directoryLoop).error().kind, ReadFailureKind::DiskChainLoops);
}

TEST(D64Reader, RefusesAnImageCutShort) {
    // The file's first block links to track 30, beyond the image's end.
    Disk disk = KoalaDisk(*test::RandomImage(25));
    const std::size_t firstAt = SectorOffset({disk[DirectoryAt + 3], disk[DirectoryAt + 4]});
    disk[firstAt] = 30;
    disk[firstAt + 1] = 2;
    disk.resize(SectorOffset({30, 0}));
    const Result<C64Picture, ReadFailure> read = Read(disk);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ReadFailureKind::DiskImageCut);
    EXPECT_EQ(read.error().found, disk.size());
    EXPECT_EQ(read.error().track, 30);
    EXPECT_EQ(read.error().sector, 2);

    disk.resize(SectorOffset({18, 0}) + 10);  // no BAM left: not told as a disk
    EXPECT_FALSE(IsC64File(disk, nullptr));
}

TEST(D64Reader, ReadsImagesWithErrorBytes) {
    const auto image = test::RandomImage(24);
    Disk disk = KoalaDisk(*image);
    disk.resize(disk.size() + DiskSectorCount, 0x01);  // one error byte a sector: none
    const Result<C64Picture, ReadFailure> read = Read(disk);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->image == *image);
}

}  // namespace
}  // namespace pxm

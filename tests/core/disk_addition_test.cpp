// Programs added to disks that hold files: placed around the files there, in the first free
// directory slot, a directory block added when the directory's are full, the BAM kept true, no
// other byte changed; a full disk, a taken name and a damaged disk refused, the disk as it was.
#include "core/disk/disk_addition.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/disk/d64_image.h"
#include "tests/core/core_test_support.h"
#include "tests/support/d64_reader.h"

namespace pxm {
namespace {

using test::Block;
using test::DiskBytes;
using test::DiskOffset;

DiskBytes Data(std::size_t size, std::uint32_t seed) {
    test::Random random(seed);
    DiskBytes data(size);
    for (auto& b : data) b = static_cast<std::uint8_t>(random.next());
    return data;
}

DiskBytes ProgramForm(std::uint16_t load, const DiskBytes& data) {
    DiskBytes program(2 + data.size());
    program[0] = static_cast<std::uint8_t>(load & 0xFF);
    program[1] = static_cast<std::uint8_t>(load >> 8);
    std::copy(data.begin(), data.end(), program.begin() + 2);
    return program;
}

DiskContents Read(const DiskBytes& disk) {
    Result<DiskContents, DiskDamage> contents = ReadDiskContents(disk);
    EXPECT_TRUE(contents.ok());
    return contents ? std::move(contents).value() : DiskContents{};
}

// The blocks a file's chain passes through.
std::set<Block> ChainBlocks(const DiskBytes& disk, Block first) {
    const auto blocks = test::ReadChain(disk, first).blocks;
    return {blocks.begin(), blocks.end()};
}

// Every byte outside these blocks is the same in both disks.
void ExpectSameOutside(const DiskBytes& before, const DiskBytes& after, const std::set<Block>& changed) {
    ASSERT_EQ(before.size(), after.size());
    for (int track = 1; track <= 35; ++track) {
        for (int sector = 0; sector < test::DiskSectors(track); ++sector) {
            if (changed.contains({track, sector})) continue;
            const auto at = static_cast<std::ptrdiff_t>(DiskOffset(track, sector));
            EXPECT_TRUE(std::equal(before.begin() + at, before.begin() + at + 256, after.begin() + at))
                << "track " << track << " sector " << sector;
        }
    }
}

TEST(DiskAddition, TheSecondFileGoesWhereTheDriveSavesItAndTheFirstStays) {
    const DiskBytes first = Data(10001, 1);
    DiskBytes disk;
    ASSERT_TRUE(WriteD64Image(disk, {0x6000, "FIRST", first}).ok());
    const DiskBytes before = disk;
    DiskContents contents = Read(disk);
    ASSERT_EQ(contents.files.size(), 1u);
    EXPECT_EQ(contents.freeSlots.size(), 7u);

    const DiskBytes second = Data(3000, 2);
    ASSERT_TRUE(AddToDisk(disk, contents, {0x2000, "SECOND", second}, false).ok());
    // The first file filled track 17 and part of 16: the next starts on the other side, 19/0.
    const std::size_t entry = DiskOffset(18, 1) + 32;
    EXPECT_EQ(disk[entry + 2], 0x82);
    EXPECT_EQ((Block{disk[entry + 3], disk[entry + 4]}), (Block{19, 0}));
    EXPECT_EQ(std::string(disk.begin() + static_cast<std::ptrdiff_t>(entry + 5), disk.begin() + static_cast<std::ptrdiff_t>(entry + 21)),
              "SECOND\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0");
    EXPECT_EQ(disk[entry + 30], 12);  // 3002 bytes in 254-byte blocks
    const test::ChainRead read = test::ReadChain(disk, {19, 0});
    EXPECT_EQ(read.bytes, ProgramForm(0x2000, second));
    EXPECT_EQ(test::ReadChain(disk, {17, 0}).bytes, ProgramForm(0x6000, first));
    EXPECT_EQ(test::ListedBlocksFree(disk), 664 - 40 - 12);
    std::set<Block> changed = ChainBlocks(disk, {19, 0});
    changed.insert({18, 0});
    changed.insert({18, 1});
    ExpectSameOutside(before, disk, changed);
    // The disk reads back as the drive keeps it.
    const DiskContents again = Read(disk);
    ASSERT_EQ(again.files.size(), 2u);
    EXPECT_EQ(again.files[1].c64Name, "SECOND");
    EXPECT_EQ(again.free, contents.free);
}

TEST(DiskAddition, ANinthFileGetsANewDirectoryBlockThreeSectorsOn) {
    DiskBytes disk = EmptyD64Image();
    DiskContents contents = Read(disk);
    const DiskBytes data = Data(100, 3);
    for (int n = 0; n < 8; ++n) ASSERT_TRUE(AddToDisk(disk, contents, {0x0801, std::string(1, char('A' + n)), data}, false).ok());
    EXPECT_EQ((Block{disk[DiskOffset(18, 1)], disk[DiskOffset(18, 1) + 1]}), (Block{0, 0xFF}));
    const std::string name = "NINTH";
    ASSERT_TRUE(AddToDisk(disk, contents, {0x0801, name, data}, false).ok());
    EXPECT_EQ((Block{disk[DiskOffset(18, 1)], disk[DiskOffset(18, 1) + 1]}), (Block{18, 4}));
    EXPECT_EQ((Block{disk[DiskOffset(18, 4)], disk[DiskOffset(18, 4) + 1]}), (Block{0, 0xFF}));
    EXPECT_EQ(disk[DiskOffset(18, 4) + 2], 0x82);
    EXPECT_EQ(test::BamEntryOf(disk, 18).free, 19 - 3);
    EXPECT_EQ(test::BamEntryOf(disk, 18).bits & (1u << 4), 0u);
    EXPECT_EQ(Read(disk).files.size(), 9u);
}

TEST(DiskAddition, AFullDiskATakenNameAndAReplacement) {
    DiskBytes disk;
    ASSERT_TRUE(WriteD64Image(disk, {0x6000, "BIG", Data(600 * 254 - 2, 4)}).ok());
    DiskContents contents = Read(disk);
    const DiskBytes before = disk;
    // 64 blocks free; 70 are asked for.
    const Status<AdditionFailure> full = AddToDisk(disk, contents, {0x6000, "MORE", Data(70 * 254 - 2, 5)}, false);
    ASSERT_FALSE(full.ok());
    EXPECT_EQ(full.error().kind, AdditionFailureKind::DiskFull);
    EXPECT_EQ(full.error().needed, 70u);
    EXPECT_EQ(full.error().free, 64u);
    EXPECT_EQ(disk, before);

    const Status<AdditionFailure> taken = AddToDisk(disk, contents, {0x6000, "BIG", Data(100, 6)}, false);
    ASSERT_FALSE(taken.ok());
    EXPECT_EQ(taken.error().kind, AdditionFailureKind::NameTaken);
    EXPECT_EQ(disk, before);

    // Replaced, the old blocks are free for the new file, which takes the old entry.
    const DiskBytes small = Data(1000, 7);
    ASSERT_TRUE(AddToDisk(disk, contents, {0x4000, "BIG", small}, true).ok());
    EXPECT_EQ(test::ListedBlocksFree(disk), 664 - 4);
    const test::DirectoryEntry entry = test::FirstDirectoryEntry(disk);
    EXPECT_EQ(entry.blocks, 4);
    EXPECT_EQ(test::ReadChain(disk, entry.first).bytes, ProgramForm(0x4000, small));
    EXPECT_EQ(Read(disk).files.size(), 1u);
}

TEST(DiskAddition, DamagedDisksAreTold) {
    DiskBytes disk;
    ASSERT_TRUE(WriteD64Image(disk, {0x6000, "PIC", Data(3000, 8)}).ok());
    const auto damage = [&](auto change) {
        DiskBytes copy = disk;
        change(copy);
        const Result<DiskContents, DiskDamage> contents = ReadDiskContents(copy);
        EXPECT_FALSE(contents.ok());
        return contents ? DiskDamage{} : contents.error();
    };
    EXPECT_EQ(damage([](DiskBytes& d) { d.pop_back(); }).kind, DiskDamageKind::NotADiskImage);
    EXPECT_EQ(damage([](DiskBytes& d) { d[DiskOffset(18, 0) + 2] = 0x42; }).kind, DiskDamageKind::DosMismatch);
    const DiskDamage count = damage([](DiskBytes& d) { ++d[DiskOffset(18, 0) + 4 * 5]; });
    EXPECT_EQ(count.kind, DiskDamageKind::BamCount);
    EXPECT_EQ(count.block.track, 5);
    EXPECT_EQ(damage([](DiskBytes& d) { d[DiskOffset(18, 0) + 4 * 35 + 3] |= 0x80; }).kind, DiskDamageKind::BamBits);
    // The file's first block marked free, the count kept true.
    const DiskDamage free = damage([](DiskBytes& d) {
        d[DiskOffset(18, 0) + 4 * 17 + 1] |= 1;
        ++d[DiskOffset(18, 0) + 4 * 17];
    });
    EXPECT_EQ(free.kind, DiskDamageKind::BlockFreeInBam);
    EXPECT_EQ(free.c64Name, "PIC");
    EXPECT_EQ(damage([](DiskBytes& d) { d[DiskOffset(18, 1)] = 17; }).kind, DiskDamageKind::DirectoryOffTrack);
    const DiskDamage loop = damage([](DiskBytes& d) {
        d[DiskOffset(17, 0)] = 17;
        d[DiskOffset(17, 0) + 1] = 0;
    });
    EXPECT_EQ(loop.kind, DiskDamageKind::ChainLoops);
    EXPECT_EQ(damage([](DiskBytes& d) { d[DiskOffset(17, 0)] = 36; }).kind, DiskDamageKind::ChainLeaves);
    // An image with error bytes: a block of the file that did not read.
    const DiskDamage error = damage([](DiskBytes& d) {
        d.resize(d.size() + 683, 1);
        d[174848 + 17 * 21 - 21] = 5;  // track 17 sector 0
    });
    EXPECT_EQ(error.kind, DiskDamageKind::ReadError);
    EXPECT_EQ(error.found, 5u);
}

}  // namespace
}  // namespace pxm

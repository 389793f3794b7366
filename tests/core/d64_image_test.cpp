#include "core/disk/d64_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/export/containers.h"
#include "tests/core/core_test_support.h"
#include "tests/support/d64_reader.h"

namespace pxm {
namespace {

using test::Block;
using test::DiskBytes;
using test::DiskOffset;

constexpr std::size_t Bam = 0x16500;        // track 18 sector 0
constexpr std::size_t Directory = 0x16600;  // track 18 sector 1

DiskBytes DataOfSize(std::size_t size) {
    test::Random random(static_cast<std::uint32_t>(size));
    DiskBytes data(size);
    for (auto& b : data) b = static_cast<std::uint8_t>(random.next());
    return data;
}

DiskBytes Disk(const C64File& file) {
    DiskBytes disk;
    EXPECT_TRUE(WriteD64Image(disk, file).ok());
    return disk;
}

DiskBytes ProgramForm(const C64File& file) {
    DiskBytes program;
    AppendProgramFile(program, file, false);
    return program;
}

TEST(D64Image, SectorPositionsOfTheReader) {
    // The reader's arithmetic against the well-known positions of the directory track.
    EXPECT_EQ(DiskOffset(18, 0), Bam);
    EXPECT_EQ(DiskOffset(18, 1), Directory);
    EXPECT_EQ(DiskOffset(35, 16) + 256, 174848u);
    EXPECT_EQ(D64ImageSize, 174848u);
}

TEST(D64Image, BamHeaderAndLabel) {
    const DiskBytes data = DataOfSize(100);
    const DiskBytes disk = Disk({0x6000, "X", data});
    ASSERT_EQ(disk.size(), 174848u);
    // Link to the directory, DOS version 'A', then a zero byte.
    EXPECT_EQ(DiskBytes(disk.begin() + Bam, disk.begin() + Bam + 4), (DiskBytes{18, 1, 0x41, 0x00}));
    const std::string label(disk.begin() + Bam + 0x90, disk.begin() + Bam + 0xAB);
    EXPECT_EQ(label, "PIXMOSAIC\xA0\xA0\xA0\xA0\xA0\xA0\xA0"
                     "\xA0\xA0"
                     "PX\xA0"
                     "2A\xA0\xA0\xA0\xA0");
    EXPECT_TRUE(std::all_of(disk.begin() + Bam + 0xAB, disk.begin() + Bam + 256, [](std::uint8_t b) { return b == 0; }));
}

TEST(D64Image, DirectoryEntryBytes) {
    const DiskBytes data = DataOfSize(10001);
    const DiskBytes disk = Disk({0x6000, "\x81PIC PIXMOSAIC ", data});
    DiskBytes expected = {0x00, 0xFF, 0x82, 17, 0};
    const std::string name = "\x81PIC PIXMOSAIC \xA0";
    expected.insert(expected.end(), name.begin(), name.end());
    expected.insert(expected.end(), 9, 0x00);  // no side sectors, record length or spare bytes
    expected.insert(expected.end(), {40, 0});  // 10003 bytes: 39 full blocks and one of 97
    expected.resize(256, 0x00);                // the other seven entries are empty
    EXPECT_EQ(DiskBytes(disk.begin() + Directory, disk.begin() + Directory + 256), expected);
}

TEST(D64Image, LongNameCutAndShortNamePadded) {
    const DiskBytes data = DataOfSize(10);
    EXPECT_EQ(test::FirstDirectoryEntry(Disk({0x0801, "A", data})).name, "A" + std::string(15, '\xA0'));
    EXPECT_EQ(test::FirstDirectoryEntry(Disk({0x0801, "ABCDEFGHIJKLMNOP", data})).name, "ABCDEFGHIJKLMNOP");
}

struct SizeCase {
    std::string label;
    std::size_t dataSize;
    int blocks;
    std::uint8_t lastIndex;  // the last block's second link byte
};

std::string CaseName(const SizeCase& c) { return c.label; }
void PrintTo(const SizeCase& c, std::ostream* out) { *out << CaseName(c); }

class D64Files : public ::testing::TestWithParam<SizeCase> {};

// Following the links from the directory entry gives back the PRG form, and the BAM marks
// exactly the chain's blocks and the directory's two as used.
TEST_P(D64Files, ChainReassemblesTheFileAndTheBamAgrees) {
    const SizeCase& c = GetParam();
    const DiskBytes data = DataOfSize(c.dataSize);
    const C64File file{0x4000, "P-PIXMOSAIC", data};
    const DiskBytes disk = Disk(file);
    ASSERT_EQ(disk.size(), D64ImageSize);

    const test::DirectoryEntry entry = test::FirstDirectoryEntry(disk);
    EXPECT_EQ(entry.type, 0x82);
    EXPECT_EQ(entry.blocks, c.blocks);
    EXPECT_EQ(entry.first, (Block{17, 0}));
    const test::ChainRead chain = test::ReadChain(disk, entry.first);
    EXPECT_EQ(static_cast<int>(chain.blocks.size()), c.blocks);
    EXPECT_TRUE(chain.bytes == ProgramForm(file));
    const auto [lastTrack, lastSector] = chain.blocks.back();
    EXPECT_EQ(disk[DiskOffset(lastTrack, lastSector)], 0);
    EXPECT_EQ(disk[DiskOffset(lastTrack, lastSector) + 1], c.lastIndex);

    std::set<Block> used(chain.blocks.begin(), chain.blocks.end());
    used.insert({18, 0});
    used.insert({18, 1});
    for (int track = 1; track <= 35; ++track) {
        SCOPED_TRACE("track " + std::to_string(track));
        const test::BamEntry bam = test::BamEntryOf(disk, track);
        int free = 0;
        for (int sector = 0; sector < test::DiskSectors(track); ++sector) {
            const bool isFree = (bam.bits >> sector) & 1;
            EXPECT_EQ(isFree, !used.count({track, sector})) << "sector " << sector;
            free += isFree;
        }
        EXPECT_EQ(bam.bits >> test::DiskSectors(track), 0u) << "bits past the last sector";
        EXPECT_EQ(bam.free, free);
    }
    EXPECT_EQ(test::ListedBlocksFree(disk), 664 - c.blocks);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, D64Files,
    ::testing::Values(SizeCase{"Empty", 0, 1, 3}, SizeCase{"OneFullBlock", 252, 1, 255},
                      SizeCase{"OneByteInTheSecond", 253, 2, 2}, SizeCase{"Koala", 10001, 40, 98},
                      SizeCase{"Artist64", 10240, 41, 83}, SizeCase{"ThreeTracks", 63 * 254 - 2, 63, 255},
                      SizeCase{"WholeDisk", 664 * 254 - 2, 664, 255}),
    test::CaseNames{});

TEST(D64Image, FreeBlocksAfterA41BlockFile) {
    const DiskBytes data = DataOfSize(10240);
    const DiskBytes disk = Disk({0x4000, "P-PIXMOSAIC", data});
    EXPECT_EQ(test::ListedBlocksFree(disk), 623);
    EXPECT_EQ(test::BamEntryOf(disk, 17).free, 0);
    EXPECT_EQ(test::BamEntryOf(disk, 16).free, 1);
    EXPECT_EQ(test::BamEntryOf(disk, 15).free, 21);
    EXPECT_EQ(test::BamEntryOf(disk, 18).free, 17);  // all but the BAM and the directory
    EXPECT_EQ(test::BamEntryOf(disk, 18).bits, 0x7FFFCu);
    EXPECT_EQ(test::BamEntryOf(disk, 35).free, 17);
    EXPECT_EQ(test::BamEntryOf(disk, 35).bits, 0x1FFFFu);
}

// Ten sectors on within a track, one less after wrapping round, the next free one when taken;
// a full track gives way to the next one out, track 1 to track 19.
TEST(D64Image, PlacementOfAWholeDisk) {
    const DiskBytes data = DataOfSize(664 * 254 - 2);
    const DiskBytes disk = Disk({0x0801, "BIG", data});
    const std::vector<Block> blocks = test::ReadChain(disk, test::FirstDirectoryEntry(disk).first).blocks;
    ASSERT_EQ(blocks.size(), 664u);
    const std::vector<int> track17 = {0, 10, 20, 8, 18, 6, 16, 4, 14, 2, 12, 1, 11, 3, 13, 5, 15, 7, 17, 9, 19};
    for (std::size_t k = 0; k < track17.size(); ++k) EXPECT_EQ(blocks[k], (Block{17, track17[k]})) << "block " << k;
    // Track 16 goes on ten sectors after 19, wrapped round: 29 - 21 - 1.
    EXPECT_EQ(blocks[21], (Block{16, 7}));
    EXPECT_EQ(blocks[22], (Block{16, 17}));
    std::vector<int> tracks;
    for (const auto& [track, sector] : blocks) {
        if (tracks.empty() || tracks.back() != track) tracks.push_back(track);
    }
    std::vector<int> expected;
    for (int t = 17; t >= 1; --t) expected.push_back(t);
    for (int t = 19; t <= 35; ++t) expected.push_back(t);
    EXPECT_EQ(tracks, expected);
    // The far half starts ten sectors into track 19.
    EXPECT_EQ(blocks[17 * 21], (Block{19, 10}));
    EXPECT_EQ(test::ListedBlocksFree(disk), 0);
}

TEST(D64Image, RefusesAFileLargerThanTheDisk) {
    const DiskBytes data(664 * 254 - 1, 0);  // with the load address: 664 blocks and one byte
    DiskBytes out = {1, 2, 3};
    const Status<TooLargeForDisk> written = WriteD64Image(out, {0x0801, "BIG", data});
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().blocks, 665u);
    EXPECT_EQ(written.error().bytes, 168657u);
    EXPECT_EQ(out, (DiskBytes{1, 2, 3}));
}

TEST(D64Image, AppendsToWhatIsThere) {
    const DiskBytes data = DataOfSize(300);
    DiskBytes out = {1, 2, 3};
    ASSERT_TRUE(WriteD64Image(out, {0x6000, "X", data}).ok());
    ASSERT_EQ(out.size(), 3 + D64ImageSize);
    EXPECT_EQ(DiskBytes(out.begin(), out.begin() + 3), (DiskBytes{1, 2, 3}));
    EXPECT_TRUE(DiskBytes(out.begin() + 3, out.end()) == Disk({0x6000, "X", data}));
}

TEST(D64Image, BlockCounts) {
    static_assert(BlockCount(1) == 1 && BlockCount(254) == 1 && BlockCount(255) == 2);
    static_assert(BlockCount(664 * 254) == 664 && BlockCount(664 * 254 + 1) == 665);
    EXPECT_EQ(EmptyDiskBlocksFree, 664);
}

}  // namespace
}  // namespace pxm

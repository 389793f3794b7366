#include "core/disk/block_allocation.h"

#include <gtest/gtest.h>

namespace pxm {
namespace {

void AllocateTracks(FreeMap& map, int first, int last) {
    for (int track = first; track <= last; ++track) {
        for (int sector = 0; sector < SectorsOnTrack(track); ++sector) Allocate(map, {track, sector});
    }
}

TEST(BlockAllocation, EmptyDisk) {
    FreeMap map = AllBlocksFree();
    EXPECT_EQ(BlocksFree(map), 664);
    EXPECT_EQ(FreeSectors(map, 1), 21);
    EXPECT_EQ(FreeSectors(map, 18), 19);
    EXPECT_EQ(FreeSectors(map, 25), 18);
    EXPECT_EQ(FreeSectors(map, 35), 17);
    Allocate(map, {18, 0});
    Allocate(map, {18, 1});
    EXPECT_EQ(BlocksFree(map), 664);  // the directory track is not counted
    EXPECT_EQ(FreeSectors(map, 18), 17);
    Allocate(map, {35, 16});
    EXPECT_FALSE(IsFree(map, {35, 16}));
    EXPECT_TRUE(IsFree(map, {35, 15}));
    EXPECT_EQ(BlocksFree(map), 663);
}

TEST(BlockAllocation, InterleaveWrapsRoundOneSectorEarly) {
    EXPECT_EQ(InterleavedSector(0, 21), 10);
    EXPECT_EQ(InterleavedSector(10, 21), 20);
    EXPECT_EQ(InterleavedSector(20, 21), 8);
    EXPECT_EQ(InterleavedSector(11, 21), 0);  // wrapped to sector 0: nothing to take off
    EXPECT_EQ(InterleavedSector(16, 17), 8);
    EXPECT_EQ(InterleavedSector(18, 18), 9);  // from a longer track's sector
}

TEST(BlockAllocation, FirstBlockNextToTheDirectoryBelowFirst) {
    FreeMap map = AllBlocksFree();
    EXPECT_EQ(AllocateFirstBlock(map), (BlockAddress{17, 0}));
    EXPECT_EQ(AllocateFirstBlock(map), (BlockAddress{17, 1}));
    AllocateTracks(map, 17, 17);
    EXPECT_EQ(AllocateFirstBlock(map), (BlockAddress{19, 0}));
    AllocateTracks(map, 1, 35);
    EXPECT_FALSE(AllocateFirstBlock(map).has_value());
}

TEST(BlockAllocation, NextBlockTakesTheNextFreeSectorAfterTheInterleave) {
    FreeMap map = AllBlocksFree();
    Allocate(map, {17, 10});
    Allocate(map, {17, 11});
    EXPECT_EQ(AllocateNextBlock(map, {17, 0}), (BlockAddress{17, 12}));
    EXPECT_FALSE(IsFree(map, {17, 12}));
}

TEST(BlockAllocation, NextBlockCrossesToTheOtherHalfAndBack) {
    FreeMap map = AllBlocksFree();
    AllocateTracks(map, 1, 17);
    EXPECT_EQ(AllocateNextBlock(map, {1, 5}), (BlockAddress{19, 10}));
    map = AllBlocksFree();
    AllocateTracks(map, 19, 35);
    EXPECT_EQ(AllocateNextBlock(map, {35, 3}), (BlockAddress{17, 10}));
    // Tracks nearer the directory on the same side come last.
    map = AllBlocksFree();
    AllocateTracks(map, 1, 10);
    AllocateTracks(map, 19, 35);
    EXPECT_EQ(AllocateNextBlock(map, {10, 0}), (BlockAddress{17, 10}));
    AllocateTracks(map, 11, 17);
    EXPECT_FALSE(AllocateNextBlock(map, {10, 0}).has_value());
}

}  // namespace
}  // namespace pxm

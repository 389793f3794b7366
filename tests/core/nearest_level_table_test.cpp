#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "core/nearest/colour_space.h"
#include "core/nearest/level_table.h"

namespace pxm {
namespace {

// A table that records which rounded colours it was asked to make entries for.
struct Recorder {
    std::vector<Rgb> made;
    LevelTable<Rgb> table;

    const Rgb& At(LinearRgb colour) {
        return table.At(colour, [&](Rgb rounded) {
            made.push_back(rounded);
            return rounded;
        });
    }
};

TEST(NearestLevelTable, ColoursWithinOneLevelShareTheEntryMadeFromTheRoundedColour) {
    Recorder r;
    // sRGB 128 and 130 both round to level 16 of 31, whose byte is 132; 0 and 255 are levels 0 and 31.
    const Rgb& first = r.At(LinearOf(Rgb{128, 0, 255}));
    const Rgb& second = r.At(LinearOf(Rgb{130, 3, 252}));
    EXPECT_EQ(&first, &second);
    ASSERT_EQ(r.made.size(), 1u);
    EXPECT_EQ(r.made[0], (Rgb{132, 0, 255}));
    // One level up in one channel is another entry; the first stays where it was.
    r.At(LinearOf(Rgb{140, 0, 255}));
    ASSERT_EQ(r.made.size(), 2u);
    EXPECT_EQ(r.made[1], (Rgb{140, 0, 255}));
    EXPECT_EQ(&r.At(LinearOf(Rgb{128, 0, 255})), &first);
    EXPECT_EQ(r.made.size(), 2u);
}

TEST(NearestLevelTable, ComponentsBeyondTheRangeTakeTheEndLevels) {
    Recorder r;
    const Rgb& clamped = r.At({-0.5f, 1.5f, 0.0f});
    EXPECT_EQ(clamped, (Rgb{0, 255, 0}));
    EXPECT_EQ(&r.At(LinearOf(Rgb{0, 255, 0})), &clamped);
}

TEST(NearestLevelTable, EveryLevelKeyGivesItsOwnColourBack) {
    // Each of the 32768 rounded colours, asked for by its own linear value, is its own entry.
    Recorder r;
    for (std::size_t key = 0; key < LevelKeyCount; ++key) {
        const Rgb rounded = ColourOfLevelKey(key);
        EXPECT_EQ(r.At(LinearOf(rounded)), rounded) << key;
    }
    EXPECT_EQ(r.made.size(), LevelKeyCount);
}

// Made all at once, on two threads, every colour's entry is the one At makes, made once, and At
// then finds it without making it again; an entry made before stays where it was.
TEST(NearestLevelTable, MadeAllAtOnceOnTwoThreadsAsOneByOne) {
    std::vector<LinearRgb> colours;
    for (int i = 0; i < 5000; ++i) colours.push_back(LinearOf(Rgb{static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(i * 13), static_cast<std::uint8_t>(i / 20)}));
    Recorder one;
    for (const LinearRgb colour : colours) one.At(colour);
    Recorder all;
    const Rgb& before = all.At(colours[0]);
    std::atomic<int> made = 0;
    SecondThread second;
    all.table.MakeAll(colours, [&](Rgb rounded) { return ++made, rounded; }, &second);
    EXPECT_EQ(made.load() + 1, static_cast<int>(one.made.size()));
    for (const LinearRgb colour : colours) EXPECT_EQ(all.At(colour), one.At(colour));
    EXPECT_EQ(&all.At(colours[0]), &before);
    EXPECT_EQ(all.made.size(), 1u);
}

}  // namespace
}  // namespace pxm

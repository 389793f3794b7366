#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "core/export/layouts.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

// A Koala image whose every byte differs from its neighbours and from zero.
std::unique_ptr<KoalaImage> PatternImage(std::uint8_t background) {
    auto image = test::FilledImage(0);
    for (std::size_t i = 0; i < KoalaBackgroundOffset; ++i) (*image)[i] = static_cast<std::uint8_t>(1 + (i * 7 + i / 251) % 255);
    (*image)[KoalaBackgroundOffset] = background;
    return image;
}

struct Region {
    std::size_t at, from, length;  // block offset, Koala offset, byte count
};

struct Layout {
    const char* name;
    ExportFormat format;
    std::size_t size;
    std::vector<Region> regions;
    std::vector<std::size_t> backgroundAt;
    bool backgroundHighBitsSet;
};

std::string CaseName(const Layout& layout) { return layout.name; }
void PrintTo(const Layout& layout, std::ostream* os) { *os << CaseName(layout); }

class Layouts : public ::testing::TestWithParam<Layout> {};

// Every byte of the block: a copied Koala byte, the background, or zero.
TEST_P(Layouts, PlacesEveryByte) {
    const Layout& layout = GetParam();
    for (const std::uint8_t background : {6, 0, 15}) {
        SCOPED_TRACE("background " + std::to_string(background));
        const auto image = PatternImage(background);
        auto block = std::make_unique<PictureData>();
        block->bytes.fill(0xAA);
        BuildLayout(*image, InfoOf(layout.format).layout, *block);
        ASSERT_EQ(block->size, layout.size);
        std::map<std::size_t, std::uint8_t> expected;
        for (const Region& r : layout.regions)
            for (std::size_t i = 0; i < r.length; ++i) expected[r.at + i] = (*image)[r.from + i];
        const auto bg = static_cast<std::uint8_t>(layout.backgroundHighBitsSet ? background | 0xF0 : background & 0x0F);
        for (const std::size_t at : layout.backgroundAt) expected[at] = bg;
        for (std::size_t i = 0; i < layout.size; ++i) {
            const auto it = expected.find(i);
            ASSERT_EQ(block->bytes[i], it == expected.end() ? 0 : it->second) << "offset " << i;
        }
    }
}

const Region Bitmap{0, 0, 8000};

INSTANTIATE_TEST_SUITE_P(
    Formats, Layouts,
    ::testing::Values(
        Layout{"ArtStudio", ExportFormat::ArtStudio, 10016, {Bitmap, {8000, 8000, 1000}, {9016, 9000, 1000}}, {9000, 9001}, true},
        Layout{"Artist64", ExportFormat::Artist64, 10240, {Bitmap, {8192, 8000, 1000}, {9216, 9000, 1000}}, {10238, 10239}, false},
        Layout{"BlazingPaddles", ExportFormat::BlazingPaddles, 10240, {Bitmap, {8192, 8000, 1000}, {9216, 9000, 1000}},
               {8063, 8064}, true}),
    test::CaseNames{});

TEST(Layouts, BackgroundBytesOfColour6) {
    const auto image = PatternImage(6);
    auto block = std::make_unique<PictureData>();
    BuildLayout(*image, InfoOf(ExportFormat::ArtStudio).layout, *block);
    EXPECT_EQ(block->bytes[9000], 0xF6);
    EXPECT_EQ(block->bytes[9001], 0xF6);
    BuildLayout(*image, InfoOf(ExportFormat::BlazingPaddles).layout, *block);
    EXPECT_EQ(block->bytes[8063], 0xF6);
    EXPECT_EQ(block->bytes[8064], 0xF6);
    BuildLayout(*image, InfoOf(ExportFormat::Artist64).layout, *block);
    EXPECT_EQ(block->bytes[10238], 0x06);
    EXPECT_EQ(block->bytes[10239], 0x06);
}

}  // namespace
}  // namespace pxm

#include "core/palette/c64_palettes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pxm {
namespace {

std::string Hex(Rgb c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

// The shared list of published palettes, one a line: name, a tab, sixteen #RRGGBB.
TEST(C64Palettes, AgreeWithThePublishedList) {
    const std::filesystem::path list = PIXMOSAIC_PALETTES_TSV;
    if (!std::filesystem::exists(list)) GTEST_SKIP() << "no palette list at " << list << " to compare with";
    std::ifstream in(list);
    std::size_t count = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        const std::string name = line.substr(0, tab);
        SCOPED_TRACE(name);
        ASSERT_LT(count, C64Palettes.size());
        const C64Palette& palette = C64Palettes[count++];
        EXPECT_EQ(palette.name, name);
        std::istringstream colours(line.substr(tab + 1));
        for (std::size_t c = 0; c < 16; ++c) {
            std::string hex;
            colours >> hex;
            EXPECT_EQ(Hex(palette.colours[c]), hex) << "colour " << c;
        }
        std::string extra;
        EXPECT_FALSE(colours >> extra) << "more than sixteen colours";
    }
    EXPECT_EQ(count, C64Palettes.size());
}

TEST(C64Palettes, FoundByNameWhateverTheCase) {
    EXPECT_EQ(FindPalette("pepto"), DefaultPalette);
    EXPECT_EQ(FindPalette("Vice Old Lum"), 1u);
    EXPECT_EQ(FindPalette("LE FUNGE"), 12u);
    EXPECT_EQ(FindPalette("The64"), C64Palettes.size() - 1);
    EXPECT_FALSE(FindPalette("peptoo").has_value());
    EXPECT_FALSE(FindPalette("").has_value());
}

}  // namespace
}  // namespace pxm

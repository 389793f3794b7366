// The border of a program (-x), the converter run as a process: the colour --border names, or
// with auto an emulator screenshot's border, a program's own when one is converted again, else
// the background; read back from the program's parameter block and by --info.
#include <gtest/gtest.h>

#include <array>

#include "lib/output/c64/displayer_image.h"
#include "lib/output/executable.h"
#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

constexpr std::size_t LoadAddressBytes = 2;

class BorderProcess : public ScratchTest {
protected:
    // The border and background bytes of the PRG program written.
    std::array<std::uint8_t, 2> BorderAndBackground(const std::string& program) {
        const std::vector<std::uint8_t> bytes = ReadFile(program);
        const std::size_t border = LoadAddressBytes + ProgramOffset(Displayer.border);
        const std::size_t background = LoadAddressBytes + ProgramOffset(Displayer.background);
        if (bytes.size() <= border) return {0xFF, 0xFF};
        return {bytes[border], bytes[background]};
    }

    void Convert(std::vector<std::string> args) {
        const ProcessResult result = RunConverter(args);
        ASSERT_EQ(result.status, 0) << result.err;
    }
};

TEST_F(BorderProcess, TheColourGivenOrTheBackground) {
    const std::string in = Write(GoodPicture(), "in.bmp");
    Convert({in, "-x", "-b", "0", "-o", dir_ / "plain.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "plain.prg"), (std::array<std::uint8_t, 2>{0, 0}));
    Convert({in, "-xb0", "--border", "Pink", "-o", dir_ / "red.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "red.prg"), (std::array<std::uint8_t, 2>{10, 0}));
    Convert({in, "-x", "-b", "0", "--border=7", "-o", dir_ / "yellow.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "yellow.prg"), (std::array<std::uint8_t, 2>{7, 0}));

    const ProcessResult info = RunConverter({"--info", dir_ / "red.prg"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Background: black (0)\nBorder: pink (10)\n"), std::string::npos) << info.out;

    // A program converted again keeps its border unless another is given.
    Convert({dir_ / "red.prg", "-x", "-o", dir_ / "again.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "again.prg"), (std::array<std::uint8_t, 2>{10, 0}));
    Convert({dir_ / "red.prg", "-x", "--border", "blue", "-o", dir_ / "blue.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "blue.prg"), (std::array<std::uint8_t, 2>{6, 0}));
}

TEST_F(BorderProcess, AnEmulatorScreenshotsBorderByDefault) {
    const C64Palette& pepto = C64Palettes[DefaultPalette];
    // A 384x272 screenshot: light blue around a picture on a black background.
    const auto screenshot = [&](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        const int n = !inside ? 14 : ((x - 32) / 2 + y) % 4 == 0 ? 0 : 1 + ((x - 32) / 16 + y / 8) % 3;
        return Packed(pepto.colours[static_cast<std::size_t>(n)]);
    };
    const std::string in = Write(MakePng({.width = 384, .height = 272}, screenshot), "shot.png");
    Convert({in, "-x", "-b", "0", "-o", dir_ / "shot.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "shot.prg"), (std::array<std::uint8_t, 2>{14, 0}));
    Convert({in, "-xn", "--border", "auto", "-o", dir_ / "nearest.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "nearest.prg")[0], 14);
    Convert({in, "-x", "-b", "0", "--border", "0", "-o", dir_ / "black.prg"});
    EXPECT_EQ(BorderAndBackground(dir_ / "black.prg"), (std::array<std::uint8_t, 2>{0, 0}));
}

TEST_F(BorderProcess, UsageErrors) {
    const std::string in = Write(GoodPicture(), "in.bmp");
    const ProcessResult alone = RunConverter({in, "--border", "2", "-o", dir_ / "out.prg"});
    EXPECT_EQ(alone.status, 2);
    EXPECT_NE(alone.err.find("--border has no effect without -x/--executable: only the program shows a border"),
              std::string::npos) << alone.err;
    const ProcessResult unknown = RunConverter({in, "-x", "--border", "16", "-o", dir_ / "out.prg"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown border '16' (auto, 0 to 15 or a colour name)"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace pxm::test

// --clash-map, the converter run as a process: the map written as a BMP when so named, safely,
// never over the input, and as the converter writes every file. What the map shows is the
// library's (tests/lib/clash_map_test.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/c64_art.h"
#include "tests/support/clash_map_check.h"
#include "tests/support/png_builder.h"

namespace pxm::test {
namespace {

class ClashMapProcess : public ScratchTest {};

// A map named .bmp is a 24-bit BMP of the same pixels, read back by ImageMagick; the preview
// named .bmp is the 16-colour BMP that -o x.bmp writes.
TEST_F(ClashMapProcess, NamedBmpTheMapAndThePreviewAreBmpFiles) {
    const auto file = [](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        return PeptoColour(inside ? Clashing(x - 32, y - 35) : 14);
    };
    const std::string in =
        Write(MakePng({.width = 384, .height = 272}, [&](int x, int y) { return Packed(file(x, y)); }), "shot.png");
    const auto refused = RunConverter({in, "-b", "0", "-o", dir_ / "out.prg", "--clash-map", dir_ / "map.bmp"});
    EXPECT_EQ(refused.status, 1);
    const std::vector<std::uint8_t> bmp = ReadFile(dir_ / "map.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[28], 24);  // bits per pixel
    const ProcessResult converted = 
        RunProcess({"/bin/sh", "-c", "exec convert \"$0\" \"$1\"", dir_ / "map.bmp", dir_ / "map-read.png"});
    ASSERT_EQ(converted.status, 0) << converted.err;
    ExpectMap(ReadPngBack(ReadFile(dir_ / "map-read.png")), file, 384, 272, 32, 35, CrowdedCells(Clashing, 0));

    const std::string good = Write(MakePng({}, [](int x, int y) { return PeptoHex((x / 8 + y / 8) % 3 + 1); }), "good.png");
    ASSERT_EQ(RunConverter({good, "-o", dir_ / "good.prg", "--preview", dir_ / "preview.BMP"}).status, 0);
    ASSERT_EQ(RunConverter({good, "-o", dir_ / "good.bmp"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "preview.BMP"), ReadFile(dir_ / "good.bmp"));
    const auto gif = RunConverter({good, "-o", dir_ / "again.prg", "--preview", dir_ / "preview.gif"});
    EXPECT_EQ(gif.status, 2);
    EXPECT_EQ(gif.err.substr(0, gif.err.find('\n')),
              "pixmosaic-cli: --preview '" + dir_ / "preview.gif" +
                  "' is not named as a picture the converter writes: name it .png or .bmp");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "again.prg"));
}

TEST_F(ClashMapProcess, NeverOverTheInputAndAFailedWriteKeepsTheOldMap) {
    const auto bmp = MakeBmp({}, [](int x, int y) { return Clashing(x, y); });
    const std::string in = Write(bmp, "in.bmp");
    const auto overInput =
        RunConverter({in, "-o", dir_ / "o.prg", "--clash-map", (dir_.path() / "." / "in.bmp").string()});
    EXPECT_EQ(overInput.status, 2);
    // The file counts, not its name.
    EXPECT_EQ(overInput.err.rfind("pixmosaic-cli: the clash map ", 0), 0u) << overInput.err;
    EXPECT_NE(overInput.err.find(" is the input "), std::string::npos) << overInput.err;
    EXPECT_EQ(ReadFile(in), bmp);
    const auto overOutput = RunConverter({in, "-o", dir_ / "o.prg", "--clash-map=" + dir_ / "o.prg"});
    EXPECT_EQ(overOutput.status, 2);
    EXPECT_NE(overOutput.err.find(" and the clash map "), std::string::npos) << overOutput.err;

    const std::vector<std::uint8_t> old{'O', 'L', 'D'};
    std::filesystem::create_directory(dir_ / "ro");
    WriteFile(dir_ / "ro/map.png", old);
    chmod((dir_ / "ro").c_str(), 0555);
    const auto denied =
        RunConverter({in, "-b", "0", "-o", dir_ / "o.prg", "--clash-map", dir_ / "ro/map.png"}, {.asNobody = true});
    EXPECT_EQ(denied.status, 1);
    // The system's words name the file they are about.
    EXPECT_NE(denied.err.find("\nSystem Error: " + (dir_ / "ro/map.png") + ": Permission denied\n"), std::string::npos)
        << denied.err;
    EXPECT_EQ(ReadFile(dir_ / "ro/map.png"), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "ro"), {}), 1);
}

// The map follows the converter's conventions: information never mixes with a file on standard
// output, a missing folder is told before anything is read, naming the file.
TEST_F(ClashMapProcess, FollowsTheConvertersConventions) {
    const auto fits = [](int x, int y) { return (x / 2 + y) % 3 == 0 ? 0 : 1 + (x / 8 + y / 8) % 3 * 4; };
    const std::string in = Write(MakeBmp({}, fits), "in.bmp");
    const auto piped = RunConverter({in, "-o", "-", "-c", "prg", "--clash-map", dir_ / "map.png"});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.size(), 10003u);
    EXPECT_EQ(piped.err, "Chosen background color: black.\n");
    ExpectMap(ReadPngBack(ReadFile(dir_ / "map.png")), [&](int x, int y) { return PeptoColour(fits(x, y)); }, 320, 200, 0,
              0, {});
    const auto quiet = RunConverter({"-q", in, "-o", "-", "-c", "prg", "--clash-map", dir_ / "map2.png"});
    EXPECT_EQ(quiet.err, "");
    EXPECT_EQ(quiet.out, piped.out);

    const auto missing = RunConverter({in, "-o", dir_ / "o.prg", "--clash-map", dir_ / "none/map.png"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "System Error: " + (dir_ / "none/map.png") + ": No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "o.prg"));
    const auto twice = RunConverter({in, in, "-o", dir_ / "out/", "--clash-map", dir_ / "map.png"});
    EXPECT_EQ(twice.status, 2);
}

}  // namespace
}  // namespace pxm::test

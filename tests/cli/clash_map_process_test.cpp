// --clash-map, the converter run as a process: maps of pictures with known clashes, read back
// with libpng and compared cell by cell with the cells this test counts as crowded itself; the
// refusal's count; the map written on success too, safely, and never over the input.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string_view>

#include "core/palette/c64_palettes.h"
#include "tests/cli/cli_test_support.h"
#include "tests/cli/scratch_test.h"
#include "tests/support/gif_builder.h"
#include "tests/support/png_builder.h"
#include "tests/support/png_reader.h"

namespace pxm::test {
namespace {

using Numbers = std::function<int(int, int)>;  // colour number of picture pixel x, y (320x200)

const C64Palette& Pepto() { return C64Palettes[DefaultPalette]; }
std::uint32_t Hex(int n) { return Packed(Pepto().colours[static_cast<std::size_t>(n)]); }

// Cells n % 13 == 0 hold five colours, n % 17 == 0 (the others) four with blue (6), the rest
// black and one colour of their row.
int Clashing(int x, int y) {
    const int cell = y / 8 * 40 + x / 8;
    const int pixel = x / 2 % 4 + y % 8;
    if (cell % 13 == 0) return 1 + pixel % 5;
    if (cell % 17 == 0) return std::array{0, 6, 7, 8}[static_cast<std::size_t>(pixel % 4)];
    return pixel % 2 == 0 ? 0 : 9 + y / 8 % 6;
}

// Counted here: the cells of more than three colours besides the background.
std::set<int> CrowdedCells(const Numbers& picture, int background) {
    std::set<int> cells;
    for (int cell = 0; cell < 1000; ++cell) {
        std::set<int> colours;
        for (int y = 8 * (cell / 40); y < 8 * (cell / 40) + 8; ++y) {
            for (int x = 8 * (cell % 40); x < 8 * (cell % 40) + 8; ++x) colours.insert(picture(x, y));
        }
        colours.erase(background);
        if (colours.size() > 3) cells.insert(cell);
    }
    return cells;
}

// The map against the picture: a marked cell's outermost pixels are one colour the picture does
// not have, its inner 6x6 the picture's; every other pixel the picture's.
void ExpectMap(const std::string& path, const std::function<Rgb(int, int)>& file, int width, int height, int left,
               int top, const std::set<int>& marked) {
    const ReadBackPng map = ReadPngBack(ReadFile(path));
    ASSERT_EQ(map.width, width);
    ASSERT_EQ(map.height, height);
    ASSERT_FALSE(map.pixels.empty());
    std::set<std::uint32_t> used;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) used.insert(Packed(file(x, y)));
    }
    std::optional<Rgb> frame;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inCells = x >= left && x < left + 320 && y >= top && y < top + 200;
            const int cell = (y - top) / 8 * 40 + (x - left) / 8;
            const bool edge = (x - left) % 8 == 0 || (x - left) % 8 == 7 || (y - top) % 8 == 0 || (y - top) % 8 == 7;
            if (!(inCells && edge && marked.contains(cell))) {
                ASSERT_EQ(map.At(x, y), file(x, y)) << x << "," << y;
                continue;
            }
            if (!frame) frame = map.At(x, y);
            ASSERT_EQ(map.At(x, y), *frame) << x << "," << y;
        }
    }
    if (frame) {
        EXPECT_FALSE(used.contains(Packed(*frame)));
    }
}

// The refusal's lines from the count on (GCC 12 warns falsely about strings joined with +).
std::string CountLine(std::size_t count, std::string_view before = "\n", std::string_view after = "") {
    std::ostringstream line;
    line << before << count << " cells hold more colours than they may; --clash-map shows them all.\n" << after;
    return line.str();
}

class ClashMapProcess : public ScratchTest {};

TEST_F(ClashMapProcess, ARefusedPngMarksEveryCellThatFailsUnderItsBackground) {
    const std::string in = Write(MakePng({}, [](int x, int y) { return Hex(Clashing(x, y)); }), "in.png");
    for (const int background : {0, 6, 9}) {
        SCOPED_TRACE(background);
        const auto result = RunConverter(
            {in, "-b", std::to_string(background), "-o", dir_ / "out.prg", "--clash-map", dir_ / "map.png"});
        EXPECT_EQ(result.status, 1);
        const std::set<int> crowded = CrowdedCells(Clashing, background);
        ASSERT_FALSE(crowded.empty());
        std::ostringstream first;
        first << "Cell " << *crowded.begin() % 40 << "," << *crowded.begin() / 40 << " ";
        EXPECT_NE(result.err.find(CountLine(crowded.size(), "\n", first.str())), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
        const auto file = [](int x, int y) { return Pepto().colours[static_cast<std::size_t>(Clashing(x, y))]; };
        ExpectMap(dir_ / "map.png", file, 320, 200, 0, 0, crowded);
    }
}

TEST_F(ClashMapProcess, WithNearestTheMapIsThatOfThePictureAsRead) {
    // The clashing picture is changed and written; its map marks the cells that clashed.
    const std::string in = Write(MakePng({}, [](int x, int y) { return Hex(Clashing(x, y)); }), "in.png");
    const auto result = RunConverter({in, "-n", "-b", "0", "-o", dir_ / "out.prg", "--clash-map", dir_ / "map.png"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out.prg"));
    const auto file = [](int x, int y) { return Pepto().colours[static_cast<std::size_t>(Clashing(x, y))]; };
    ExpectMap(dir_ / "map.png", file, 320, 200, 0, 0, CrowdedCells(Clashing, 0));

    // A photograph of another size has no such map: it is converted and the map is not written.
    const std::string photo = Write(MakePng({.width = 500, .height = 300}, [](int x, int y) {
        return static_cast<std::uint32_t>(x % 256) << 16 | static_cast<std::uint32_t>(y % 256) << 8 | 0x80u;
    }), "photo.png");
    const auto none = RunConverter({photo, "-n", "-o", dir_ / "photo.prg", "--clash-map", dir_ / "none.png"});
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.err.rfind("pixmosaic-cli: no clash map: This PNG file is 500x300", 0), 0u) << none.err;
    EXPECT_TRUE(std::filesystem::exists(dir_ / "photo.prg"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "none.png"));
}

TEST_F(ClashMapProcess, AScreenshotUnderAutoShowsTheBackgroundThatLeavesTheFewest) {
    // With 13 for black, only blue (6), yellow, orange and 13 free the four-colour cells.
    const Numbers picture = [](int x, int y) { return Clashing(x, y) == 0 ? 13 : Clashing(x, y); };
    const auto file = [&](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        return Pepto().colours[static_cast<std::size_t>(inside ? picture(x - 32, y - 35) : 14)];
    };
    const std::string in =
        Write(MakePng({.width = 384, .height = 272}, [&](int x, int y) { return Packed(file(x, y)); }), "shot.png");
    const auto result = RunConverter({in, "-o", dir_ / "out.prg", "--clash-map", dir_ / "map.png"});
    EXPECT_EQ(result.status, 1);
    const std::set<int> fewest = CrowdedCells(picture, 6);
    for (int b = 0; b < 16; ++b) EXPECT_GE(CrowdedCells(picture, b).size(), fewest.size()) << b;
    EXPECT_LT(fewest.size(), CrowdedCells(picture, 0).size());
    EXPECT_NE(result.err.find(CountLine(fewest.size(), "\nNo background works; with background 6 (blue), which leaves the fewest, ")),
              std::string::npos)
        << result.err;
    ExpectMap(dir_ / "map.png", file, 384, 272, 32, 35, fewest);
}

// A map named .bmp is a 24-bit BMP of the same pixels, read back by ImageMagick; the preview
// named .bmp is the 16-colour BMP that -o x.bmp writes.
TEST_F(ClashMapProcess, NamedBmpTheMapAndThePreviewAreBmpFiles) {
    const auto file = [](int x, int y) {
        const bool inside = x >= 32 && x < 352 && y >= 35 && y < 235;
        return Pepto().colours[static_cast<std::size_t>(inside ? Clashing(x - 32, y - 35) : 14)];
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
    ExpectMap(dir_ / "map-read.png", file, 384, 272, 32, 35, CrowdedCells(Clashing, 0));

    const std::string good = Write(MakePng({}, [](int x, int y) { return Hex((x / 8 + y / 8) % 3 + 1); }), "good.png");
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

TEST_F(ClashMapProcess, WrittenUnmarkedWhenThePictureKoalizes) {
    // A BMP shows as its colour numbers in pepto; a GIF as its own colours (here vice's).
    const Numbers fits = [](int x, int y) { return (x / 2 + y) % 3 == 0 ? 0 : 1 + (x / 8 + y / 8) % 3 * 4; };
    const auto bmp =
        RunConverter({Write(MakeBmp({}, fits), "in.bmp"), "-o", dir_ / "a.prg", "--clash-map", dir_ / "a.png"});
    ASSERT_EQ(bmp.status, 0) << bmp.err;
    EXPECT_TRUE(std::filesystem::exists(dir_ / "a.prg"));
    ExpectMap(dir_ / "a.png", [&](int x, int y) { return Pepto().colours[static_cast<std::size_t>(fits(x, y))]; }, 320,
              200, 0, 0, {});

    const C64Palette& vice = C64Palettes[*FindPalette("vice")];
    const std::vector<Rgb> table(vice.colours.begin(), vice.colours.end());
    const auto gif =
        MakeGif({.width = 40, .height = 16, .table = table}, [&](int, int x, int y) { return fits(x, y); });
    const auto small = RunConverter({Write(gif, "in.gif"), "-o", dir_ / "b.prg", "--clash-map", dir_ / "b.png"});
    ASSERT_EQ(small.status, 0) << small.err;
    // Beyond the 40x16 picture, the Canvas's colour 0 in the palette taken.
    ExpectMap(dir_ / "b.png",
              [&](int x, int y) { return vice.colours[x < 40 && y < 16 ? static_cast<std::size_t>(fits(x, y)) : 0]; },
              320, 200, 0, 0, {});
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
    const Numbers fits = [](int x, int y) { return (x / 2 + y) % 3 == 0 ? 0 : 1 + (x / 8 + y / 8) % 3 * 4; };
    const std::string in = Write(MakeBmp({}, fits), "in.bmp");
    const auto piped = RunConverter({in, "-o", "-", "-c", "prg", "--clash-map", dir_ / "map.png"});
    ASSERT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out.size(), 10003u);
    EXPECT_EQ(piped.err, "Chosen background color: black.\n");
    EXPECT_TRUE(std::filesystem::exists(dir_ / "map.png"));
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

TEST_F(ClashMapProcess, NoMapOfAPictureThatIsNotRead) {
    // A colour of no palette: the picture never reaches the koalization.
    // Pepto's sixteen colours, but #FF0080, far from every palette's entries, for purple.
    const auto png = MakePng({.width = 32, .height = 8}, [](int x, int) { return x / 2 == 4 ? 0xFF0080u : Hex(x / 2); });
    const auto result = RunConverter({Write(png, "in.png"), "-o", dir_ / "o.prg", "--clash-map", dir_ / "map.png"});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "map.png"));
}

}  // namespace
}  // namespace pxm::test

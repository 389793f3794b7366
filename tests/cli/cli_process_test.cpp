// The built converter run as a process: exit statuses, texts byte for byte, files written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>

#include "lib/output/c64/displayer_image.h"
#include "lib/output/executable.h"
#include "core/export/containers.h"
#include "core/export/picture_file.h"
#include "core/import/bmp_reader.h"
#include "core/koala/koalize.h"
#include "tests/cli/cli_test_support.h"

namespace pxm::test {
namespace {

// After "Error: FILE: ", with the way out the converter adds.
constexpr std::string_view LongMulticolourMessage =
    "The picture is not a valid C64 Format one or either the \n"
    "chosen background color doesn't allow Koalization.\n"
    "Please try another background color or set it to AUTO. --nearest (-n) makes the nearest C64 picture of it.\n";

// Cell 0 works with backgrounds 1-4, cell 1 with 3, 5, 6, 7; cell 2 with none.
std::vector<std::uint8_t> ThreeCellPicture(int bitsPerPixel = 4) {
    return MakeBmp({.bitsPerPixel = bitsPerPixel},
                   CellPainter({{0, {1, 2, 3, 4}}, {1, {3, 5, 6, 7}}, {2, {8, 9, 10, 11, 12}}}, 0));
}

// Every background but 15 meets a cell with four colours besides it.
std::vector<std::uint8_t> OnlyLightGreyPicture() {
    std::map<int, std::vector<int>> cells;
    const std::vector<std::vector<int>> sets{{15, 1, 2, 3}, {15, 4, 5, 6}, {15, 7, 8, 9}, {15, 10, 11, 12}, {15, 13, 14, 0}};
    for (int n = 0; n < CellCount; ++n) cells[n] = sets[static_cast<std::size_t>(n) % sets.size()];
    return MakeBmp({}, CellPainter(cells, 15));
}

// Colour bytes of cells 742, 743 are 5 and of 744 on 7: with background 0 a block of the SP2
// stream would begin at the unpacker's faulty position.
std::vector<std::uint8_t> Sp2FlawPicture() {
    return MakeBmp({}, CellPainter({{742, {0, 2, 3, 5}}, {743, {0, 2, 3, 5}}, {744, {0, 2, 3, 7}}}, 0));
}

// The picture as the core koalizes it with a fixed background.
std::unique_ptr<KoalaImage> Koalized(const std::vector<std::uint8_t>& bmp, int background) {
    auto canvas = std::make_unique<Canvas>();
    auto image = std::make_unique<KoalaImage>();
    EXPECT_TRUE(ReadBmp(bmp, *canvas).ok());
    EXPECT_TRUE(KoalizeMulticolour(*canvas, *image, static_cast<std::uint8_t>(background)).ok());
    return image;
}

std::vector<std::uint8_t> ExpectedFile(const std::vector<std::uint8_t>& bmp, int background, ExportFormat format,
                                       Container container, bool fix = false) {
    return BuildPictureFile(*Koalized(bmp, background), format, container, fix).bytes;
}

class ConverterProcess : public ::testing::Test {
protected:
    std::string Bmp(const std::vector<std::uint8_t>& bytes, const std::string& name = "in.bmp") {
        const std::string path = dir_ / name;
        WriteFile(path, bytes);
        return path;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_.path())) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    ScratchDir dir_;
};

// --- usage ---

TEST_F(ConverterProcess, VersionAndHelp) {
    const auto version = RunConverter({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "pixmosaic-cli 1.2b\n");
    const auto help = RunConverter({"-h"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: pixmosaic-cli [options] INPUT [-o OUTPUT]\n", 0), 0u);
    EXPECT_NE(help.out.find("Examples:\n"), std::string::npos);
    EXPECT_NE(help.out.find("$A000-$C7FF"), std::string::npos);
    EXPECT_NE(help.out.find("  -x, --executable "), std::string::npos);
    EXPECT_NE(help.out.find("?LOAD ERROR"), std::string::npos);
    EXPECT_EQ(RunConverter({"--help"}).out, help.out);
}

TEST_F(ConverterProcess, UsageErrorsExitTwoAndWriteNothing) {
    const std::string in = Bmp(GoodPicture());
    const std::string out = dir_ / "out.prg";
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"-o", out},
             {in, "-o"},
             {in, "-o", out, "-m", "colour"},
             {in, "-o", out, "-b", "16"},
             {in, "-o", out, "-f", "png"},
             {in, "-o", out, "-c", "d71"},
             {in, "-o", out, "--name", "my_pic"},
             {in, "-o", out, "--name", "ABCDEFGHIJKLMNOPQ"},
             {in, "-o", out, "--name", ""},
             {in, in, "-o", out},
             {in, "-o", out, "--frobnicate"},
             {in, "-o", out, "-o", out},
             {in, "-o", dir_ / "out.jpg"},
             {in, "-o", in},
         }) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err.rfind("pixmosaic-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    const auto result = RunConverter({in, "-o", out, "-m", "colour"});
    EXPECT_EQ(result.err,
              "pixmosaic-cli: unknown mode 'colour' (multicolour, grey4 or grey5)\n"
              "Usage: pixmosaic-cli [options] INPUT [-o OUTPUT]\n"
              "       pixmosaic-cli [options] INPUT... -o FOLDER/\n"
              "Try 'pixmosaic-cli --help' for more information.\n");
}

// --- reading ---

TEST_F(ConverterProcess, InputSystemErrors) {
    const std::string out = dir_ / "o.p00";
    auto missing = RunConverter({dir_ / "none.bmp", "-o", out});
    EXPECT_EQ(missing.status, 1);
    // The system's own words, as any other program on it says them.
    EXPECT_EQ(missing.err, "System Error: " + dir_ / "none.bmp" + ": No such file or directory\n");
    auto path = RunConverter({dir_ / "nodir/none.bmp", "-o", out});
    EXPECT_EQ(path.err, "System Error: " + dir_ / "nodir/none.bmp" + ": No such file or directory\n");
    auto directory = RunConverter({dir_.path().string(), "-o", out});
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err, "Error: " + dir_.path().string() + ": This is a folder, not a picture file.\n");
    const std::string locked = Bmp(GoodPicture(), "locked.bmp");
    chmod(locked.c_str(), 0);
    auto denied = RunConverter({locked, "-o", out}, {.asNobody = true});
    EXPECT_EQ(denied.status, 1);
    EXPECT_EQ(denied.err, "System Error: " + dir_ / "locked.bmp" + ": Permission denied\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ConverterProcess, ReaderMessagesInUtf8) {
    const std::string out = dir_ / "o.p00";
    const std::string in = dir_ / "in.bmp";
    auto shortFile = RunConverter({Bmp({'B', 'M', 0, 0}), "-o", out});
    EXPECT_EQ(shortFile.status, 1);
    EXPECT_EQ(shortFile.err, "Fatal: " + in + ": Incomplete file\n");
    auto large = RunConverter({Bmp(MakeBmp({.width = 321}, [](int, int) { return 0; })), "-o", out});
    EXPECT_EQ(large.status, 1);
    EXPECT_EQ(large.err, "Error: " + in + ": This program can't load Windows\xC2\xAE Bitmap files larger than 320*200 pixels.\n");
    auto colours = RunConverter({Bmp(MakeBmp({.importantColours = 0}, [](int, int) { return 0; })), "-o", out});
    EXPECT_EQ(colours.status, 1);
    EXPECT_EQ(colours.err, "Error: " + in + ": This program can just load 16 or 256 Colors Windows\xC2\xAE Bitmap files.\n");
    EXPECT_EQ(colours.out, "");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// A file is told by its first bytes: a file of no known kind is no picture, and
// a BMP whose bits per pixel do not fit its colour count is refused like a wrong colour count.
TEST_F(ConverterProcess, FilesThatAreNotTakenAreNamed) {
    const std::string out = dir_ / "o.prg";
    auto bmpWithout = [](std::size_t at, std::uint8_t value) {
        auto file = MakeBmp({.width = 16, .height = 8}, [](int, int) { return 0; });
        file[at] = value;
        return file;
    };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        std::string_view err;
    };
    const std::vector<Case> cases{
        {"text", {'h', 'e', 'l', 'l', 'o', '\n'}, "This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n"},
        {"empty", {}, "This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n"},
        {"no BM", bmpWithout(0, 0), "This file is not a BMP, PNG, GIF, JPEG, WebP, TIFF, HEIC or AVIF picture.\n"},
        {"8 bits counted as 16 colours",
         MakeBmp({.width = 16, .height = 8, .bitsPerPixel = 8, .importantColours = 16}, [](int, int) { return 0; }),
         "This program can just load 16 or 256 Colors Windows\xC2\xAE Bitmap files.\n"},
        {"no bits per pixel", bmpWithout(28, 0), "This program can just load 16 or 256 Colors Windows\xC2\xAE Bitmap files.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = RunConverter({Bmp(c.file, "in.pic"), "-o", out});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, "Error: " + dir_ / "in.pic" + ": " + std::string(c.err));
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

// --- koalizing ---

TEST_F(ConverterProcess, AutoReportsTheChosenBackground) {
    const std::string in = Bmp(OnlyLightGreyPicture());
    const std::string out = dir_ / "pic.prg";
    const auto result = RunConverter({in, "-o", out});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "Chosen background color: light grey.\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(out), ExpectedFile(ReadFile(in), 15, ExportFormat::Koala, Container::Prg));
}

TEST_F(ConverterProcess, FixedBackgroundSaysNothingOnSuccess) {
    const std::string in = Bmp(GoodPicture());
    const auto result = RunConverter({"-b", "black", in, "-o", dir_ / "pic"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(ConverterProcess, FixedBackgroundRefusalNamesTheCell) {
    const std::string out = dir_ / "pic.prg";
    const auto result = RunConverter({"--background", "0", Bmp(ThreeCellPicture()), "-o", out});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    // Under black all three cells hold too many colours; the first is named.
    EXPECT_EQ(result.err, "Error: " + dir_ / "in.bmp" + ": " + std::string(LongMulticolourMessage) +
                              "3 cells hold more colours than they may; --clash-map shows them all.\n"
                              "Cell 0,0 (BMP pixels 0-7 x 0-7) holds 4 colours besides background 0 (black): "
                              "1 (white), 2 (red), 3 (cyan), 4 (purple). A cell takes at most 3 colours besides the "
                              "background: this one must lose 1.\n");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ConverterProcess, AutoRefusalNamesTheBackgroundWithTheFewestFailingCells) {
    const auto result = RunConverter({Bmp(ThreeCellPicture(8)), "-o", dir_ / "pic.prg"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Error: " + dir_ / "in.bmp" +
                  ": The picture is not a valid C64 Format one. --nearest (-n) makes the nearest C64 picture of it.\n"
                  "No background works; with background 3 (cyan), which leaves the fewest, 1 cell holds more colours "
              "than it may; --clash-map shows it.\n"
              "Cell 2,0 (BMP pixels 16-23 x 0-7) holds 5 colours besides background 3 (cyan): 8 (orange), 9 (brown), "
              "10 (pink), 11 (dark grey), 12 (med grey). A cell takes at most 3 colours besides the background: this "
              "one must lose 2.\n");
    // On the picture's blue background one cell needs one colour fewer.
    std::map<int, std::vector<int>> cells;
    for (int n = 0; n < 80; ++n) cells[n] = n < 40 ? std::vector<int>{6, 1, 2, 3} : std::vector<int>{6, 4, 5, 7};
    cells[500] = {6, 1, 2, 3, 4};
    const auto blue = RunConverter({Bmp(MakeBmp({}, CellPainter(cells, 6))), "-o", dir_ / "pic.prg"});
    EXPECT_NE(blue.err.find("with background 6 (blue), which leaves the fewest, 1 cell holds more colours than it may; "
                            "--clash-map shows it.\nCell 20,12 "),
              std::string::npos)
        << blue.err;
    EXPECT_NE(blue.err.find("this one must lose 1.\n"), std::string::npos);
}

TEST_F(ConverterProcess, ValuesAbove15AreNumbers) {
    const auto bmp = MakeBmp({.bitsPerPixel = 8}, CellPainter({{41, {0, 1, 2, 200, 17}}}, 0));
    const auto result = RunConverter({"-b", "0", Bmp(bmp), "-o", dir_ / "p"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Cell 1,1 (BMP pixels 8-15 x 8-15) holds 4 colours besides background 0 (black): "
                              "1 (white), 2 (red), 17, 200. A cell takes at most 3 colours besides the background: "
                              "this one must lose 1.\n"),
              std::string::npos)
        << result.err;
}

TEST_F(ConverterProcess, GreyModesNameThePixel) {
    // Black and the greys everywhere, one green pixel pair at BMP 74-75, row 12.
    const auto paint = [](int x, int y) { return x / 2 == 37 && y == 12 ? 5 : (x / 8 + y) % 2 ? 11 : 0; };
    const std::string in16 = Bmp(MakeBmp({}, paint), "g16.bmp");
    const std::string in256 = Bmp(MakeBmp({.bitsPerPixel = 8}, paint), "g256.bmp");
    const auto four = RunConverter({"-m", "grey4", in16, "-o", dir_ / "g"});
    EXPECT_EQ(four.status, 1);
    EXPECT_EQ(four.err,
              "Error: " + in16 +
                  ": Bitmap file is not compatible with this Format type.\n"
                  "The picture must contain just Colors $0, $B, $C and $F. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
              "BMP pixel 75,12 (x from the left, y from the top; cell 9,1) has colour 5 (green); this mode takes "
              "only 0 (black), 11 (dark grey), 12 (med grey) and 15 (light grey).\n");
    const auto five = RunConverter({"-m", "grey5", in256, "-o", dir_ / "g"});
    EXPECT_EQ(five.status, 1);
    EXPECT_EQ(five.err,
              "Error: " + in256 +
                  ": Bitmap file is not compatible with this Format type.\n"
                  "The picture must contain just Colors $0, $B, $C, $F and $1. --nearest (-n) makes the nearest C64 "
                  "picture of it.\n"
              "BMP pixel 74,12 (x from the left, y from the top; cell 9,1) has colour 5 (green); this mode takes "
              "only 0 (black), 1 (white), 11 (dark grey), 12 (med grey) and 15 (light grey).\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "g"));
}

TEST_F(ConverterProcess, FiveGreysWhiteWithAllGreys) {
    const auto bmp = MakeBmp({}, CellPainter({{41, {1, 11, 12, 15}}, {42, {1, 11, 0}}}, 0));
    const auto result = RunConverter({"-m", "grey5", Bmp(bmp), "-o", dir_ / "g"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err,
              "Error: " + dir_ / "in.bmp" +
                  ": The picture is not a valid C64 Format one. --nearest (-n) makes the nearest C64 picture of it.\n"
                  "Cell 1,1 (BMP pixels 8-15 x 8-15) holds white together with all three grey levels 11 (dark grey), "
              "12 (med grey) and 15 (light grey); white can only take the place of a grey level that the cell does "
              "not use.\n");
    const auto ok = RunConverter({"-m", "grey5", Bmp(MakeBmp({}, CellPainter({{42, {1, 11, 0}}}, 12))), "-o", dir_ / "g"});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "");
    EXPECT_EQ(ReadFile(dir_ / "g").size(), 10029u);
}

// --- writing ---

TEST_F(ConverterProcess, EveryFormatAndContainerEqualsTheCore) {
    const auto bmp = GoodPicture();
    const std::string in = Bmp(bmp);
    const std::array<std::string, 4> containers{"p00", "prg", "tap", "d64"};
    for (int f = 0; f < ExportFormatCount; ++f) {
        for (int c = 0; c < 4; ++c) {
            SCOPED_TRACE(std::string(Formats[static_cast<std::size_t>(f)].key) + " in " + containers[static_cast<std::size_t>(c)]);
            const std::string out = dir_ / ("out" + std::to_string(f) + std::to_string(c));
            const auto result = RunConverter({"-b", "0", "-f", std::string(Formats[static_cast<std::size_t>(f)].key),
                                              "-c", containers[static_cast<std::size_t>(c)], in, "-o", out});
            EXPECT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(ReadFile(out), ExpectedFile(bmp, 0, static_cast<ExportFormat>(f), static_cast<Container>(c)))
                << f << " " << c;
        }
    }
}

// The address a program's BASIC line calls: "SYS" and its digits, from the PRG form.
long SysAddress(const std::vector<std::uint8_t>& prg) {
    constexpr std::size_t TokenAt = 6;  // load address, link, line number
    if (prg.size() <= TokenAt || prg[TokenAt] != SysToken) return -1;
    std::string digits;
    for (std::size_t k = TokenAt + 1; k < prg.size() && prg[k] != 0; ++k) digits.push_back(static_cast<char>(prg[k]));
    return std::stol(digits);
}

TEST_F(ConverterProcess, ExecutableForEveryFormatAndContainer) {
    const auto bmp = GoodPicture();
    const std::string in = Bmp(bmp);
    const auto image = Koalized(bmp, 0);
    for (const FormatInfo& info : Formats) {
        const auto format = *FormatFromKey(info.key);
        for (const bool fix : {false, true}) {
            if (fix && format != ExportFormat::Sp2) continue;  // a usage error: the flaw is SP2's
            for (const std::string extension : {"prg", "p00", "tap"}) {
                const std::string name = "Pic-" + std::string(info.key) + (fix ? "-fix" : "");
                SCOPED_TRACE(name + "." + extension);
                std::vector<std::string> args{"-x", "-b", "0", "-f", std::string(info.key), in, "-o", dir_ / (name + "." + extension)};
                if (fix) args.push_back("--fix-sp2-flaw");
                const auto result = RunConverter(args);
                ASSERT_EQ(result.status, 0) << result.err;
                const auto written = ReadFile(dir_ / (name + "." + extension));
                std::string c64Name = name;
                std::transform(c64Name.begin(), c64Name.end(), c64Name.begin(), ::toupper);
                const Container container = *NonDiskContainerFromExtension(extension);
                EXPECT_EQ(written, BuildExecutableFile(*image, format, container, fix, c64Name)->bytes);
                if (container == Container::Tap) continue;
                const std::vector<std::uint8_t> prg(written.begin() + (container == Container::P00 ? P00HeaderSize : 0),
                                                    written.end());
                ASSERT_GE(prg.size(), 2u);
                EXPECT_EQ(prg[0], 0x01);
                EXPECT_EQ(prg[1], 0x08);
                EXPECT_EQ(SysAddress(prg), Displayer.start);
                if (container == Container::P00) {
                    const P00Header header = BuildP00Header(c64Name);
                    EXPECT_TRUE(std::equal(header.begin(), header.end(), written.begin()));
                }
            }
        }
    }
}

TEST_F(ConverterProcess, ContainerFromTheExtensionAndNameExactlyAsGiven) {
    const auto bmp = GoodPicture();
    const std::string in = Bmp(bmp);
    const auto koala = [&](Container c) { return ExpectedFile(bmp, 0, ExportFormat::Koala, c); };
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "X.PRG"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "X.PRG"), koala(Container::Prg));
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "pic.Tap"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.Tap"), koala(Container::Tap));
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "pic.p01"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.p01"), koala(Container::P00));
    ASSERT_EQ(RunConverter({in, "--output", dir_ / "pic"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic"), koala(Container::P00));
    std::filesystem::create_directory(dir_ / "d.prg");  // a directory's extension is not the file's
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "d.prg/pic"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "d.prg/pic"), koala(Container::P00));
    ASSERT_EQ(RunConverter({in, "-cprg", "-o", dir_ / "pic.seq"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.seq"), koala(Container::Prg));
    EXPECT_EQ(RunConverter({in, "-cprg", "-o", dir_ / "pic.tap"}).status, 2);  // -c contradicts the name
    ASSERT_EQ(RunConverter({in, "-o", dir_ / "pic.D64"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.D64"), koala(Container::D64));
    ASSERT_EQ(RunConverter({in, "-c", "D64", "-o", dir_ / "disk"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "disk"), koala(Container::D64));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"X.PRG", "d.prg", "disk", "in.bmp", "pic", "pic.D64", "pic.Tap",
                                                   "pic.p01", "pic.seq"}));
}

TEST_F(ConverterProcess, GivenNameInEveryContainer) {
    const auto bmp = GoodPicture();
    const std::string in = Bmp(bmp);
    // A PRG holds no name: --name with it is a usage error.
    for (const std::string container : {"p00", "tap", "d64"}) {
        SCOPED_TRACE(container);
        const std::string out = dir_ / ("named." + container);
        const auto result = RunConverter({"-b", "0", "-f", "blazing", "--name", "Dawn, 1987", in, "-o", out});
        EXPECT_EQ(result.status, 0) << result.err;
        const auto c = *AnyContainerFromExtension(container);
        EXPECT_EQ(ReadFile(out), BuildPictureFile(*Koalized(bmp, 0), ExportFormat::BlazingPaddles, c, false, "DAWN, 1987").bytes);
    }
    EXPECT_EQ(RunConverter({"--name", "Dawn", in, "-o", dir_ / "named.prg"}).status, 2);
}

TEST_F(ConverterProcess, NameRefusalsNameTheCharacter) {
    const std::string in = Bmp(GoodPicture());
    const std::string out = dir_ / "pic.d64";
    const auto accent = RunConverter({in, "-o", out, "--name", "caf\xC3\xA9"});
    EXPECT_EQ(accent.status, 2);
    EXPECT_EQ(accent.err.substr(0, accent.err.find('\n')),
              "pixmosaic-cli: the C64 file name cannot hold '\xC3\xA9' (U+00E9); it takes letters, digits, space and "
              "!\"#$%&'()*+,-./:;<=>?@[]");
    const auto tooLong = RunConverter({in, "-o", out, "--name=Seventeen letters"});
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_EQ(tooLong.err.substr(0, tooLong.err.find('\n')),
              "pixmosaic-cli: the C64 file name 'Seventeen letters' has 17 characters; at most 16 fit");
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ConverterProcess, Sp2CorrectionIsToldOnce) {
    const auto bmp = Sp2FlawPicture();
    const std::string in = Bmp(bmp);
    const auto image = Koalized(bmp, 0);
    ASSERT_TRUE(BuildPictureFile(*image, ExportFormat::Sp2, Container::Prg, true).sp2Corrected);

    const auto fixed = RunConverter({"-b", "0", "-f", "sp2", "--fix-sp2-flaw", in, "-o", dir_ / "a.prg"});
    EXPECT_EQ(fixed.status, 0);
    EXPECT_EQ(fixed.out, "Fixed problem with SP2 unpacking.\n");
    EXPECT_EQ(ReadFile(dir_ / "a.prg"), ExpectedFile(bmp, 0, ExportFormat::Sp2, Container::Prg, true));
    const auto plain = RunConverter({"-b", "0", "-f", "sp2", in, "-o", dir_ / "b.prg"});
    EXPECT_EQ(plain.out, "");
    EXPECT_EQ(ReadFile(dir_ / "b.prg"), ExpectedFile(bmp, 0, ExportFormat::Sp2, Container::Prg, false));
    EXPECT_NE(ReadFile(dir_ / "a.prg"), ReadFile(dir_ / "b.prg"));
    const auto automatic = RunConverter({"-f", "sp2", "--fix-sp2-flaw", in, "-o", dir_ / "c.tap"});
    EXPECT_EQ(automatic.out, "Chosen background color: black.\nFixed problem with SP2 unpacking.\n");
}

TEST_F(ConverterProcess, ReplacesAnExistingFile) {
    const std::string in = Bmp(GoodPicture());
    const std::string out = dir_ / "pic.prg";
    WriteFile(out, std::vector<std::uint8_t>(20000, 0xEE));
    chmod(out.c_str(), 0640);
    ASSERT_EQ(RunConverter({in, "-o", out}).status, 0);
    EXPECT_EQ(ReadFile(out).size(), 10003u);
    struct stat info {};
    stat(out.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"in.bmp", "pic.prg"}));
}

class FailedSave : public ConverterProcess {
protected:
    // args: INPUT -o OUTPUT; the message names OUTPUT.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& text, const ProcessLimits& limits = {}) {
        const auto result = RunConverter(args, limits);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "Chosen background color: black.\n");
        EXPECT_EQ(result.err, "System Error: " + args[2] + ": " + text + "\n");
    }
    const std::vector<std::uint8_t> old_{'O', 'L', 'D'};
};

// A place that cannot take the file is told before the picture is read.
TEST_F(FailedSave, MissingDirectory) {
    const auto result = RunConverter({Bmp(GoodPicture()), "-o", dir_ / "missing/pic.prg"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "System Error: " + dir_ / "missing/pic.prg" + ": No such file or directory\n");
}

TEST_F(FailedSave, ReadOnlyDirectoryKeepsTheOldFile) {
    const std::string in = Bmp(GoodPicture());
    std::filesystem::create_directory(dir_ / "ro");
    WriteFile(dir_ / "ro/pic.prg", old_);
    chmod((dir_ / "ro").c_str(), 0555);
    ExpectRefused({in, "-o", dir_ / "ro/pic.prg"}, "Permission denied", {.asNobody = true});
    ExpectRefused({in, "-o", dir_ / "ro/new.prg"}, "Permission denied", {.asNobody = true});
    EXPECT_EQ(ReadFile(dir_ / "ro/pic.prg"), old_);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_ / "ro"), {}), 1);
}

TEST_F(FailedSave, ReadOnlyFileIsNotReplaced) {
    const std::string out = dir_ / "pic.prg";
    WriteFile(out, old_);
    chmod(out.c_str(), 0444);
    // Refused as Windows refuses it (also to root), in the system's words.
    ExpectRefused({Bmp(GoodPicture()), "-o", out}, "Permission denied");
    EXPECT_EQ(ReadFile(out), old_);
}

TEST_F(FailedSave, DirectoryAsTarget) {
    std::filesystem::create_directory(dir_ / "pic.prg");
    const auto result = RunConverter({Bmp(GoodPicture()), "-o", dir_ / "pic.prg"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Error: " + dir_ / "pic.prg" +
                              ": This is a folder: give a file name, or end it with / to write into it.\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "pic.prg"));
}

TEST_F(FailedSave, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string out = dir_ / "pic.tap";
    const std::string in = Bmp(GoodPicture());
    WriteFile(out, old_);
    // The 400 kB tape image cannot be written past a 64 kB file-size limit.
    ExpectRefused({in, "-o", out}, "File too large", {.fileSizeLimit = 65536});
    EXPECT_EQ(ReadFile(out), old_);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"in.bmp", "pic.tap"}));
}

TEST_F(FailedSave, DevFull) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ExpectRefused({Bmp(GoodPicture()), "-o", "/dev/full"}, "No space left on device");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace pxm::test

// The converter's disk images and P00 files read back by cbmconvert, a Commodore archive tool
// of its own: the file it extracts must be the converter's PRG byte for byte, under the C64
// file name (cbmconvert writes PETSCII capitals as lower-case ASCII and adds ".prg").
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "tests/support/case_names.h"

namespace pxm::test {
namespace {

const std::string CbmconvertPath = PIXMOSAIC_CBMCONVERT_PATH;

// Background 0 and three colours in every cell, different from cell to cell.
std::vector<std::uint8_t> BusyPicture() {
    return MakeBmp({}, [](int x, int y) {
        const int k = (x / 2 + y) % 4;
        return k == 0 ? 0 : 1 + (x / 8 + y / 8 + k) % 15;
    });
}

class Cbmconvert : public ::testing::Test {
protected:
    void SetUp() override { WriteFile(dir_ / "in.bmp", BusyPicture()); }

    // Converts in.bmp with these options into `name` in the scratch folder.
    void Convert(std::vector<std::string> options, const std::string& name) {
        options.insert(options.end(), {"-b", "0", dir_ / "in.bmp", "-o", dir_ / name});
        const ProcessResult result = RunConverter(options);
        ASSERT_EQ(result.status, 0) << result.err;
    }

    // Runs cbmconvert with these arguments in a new folder and returns the files in that folder afterwards.
    std::map<std::string, std::vector<std::uint8_t>> RunCbmconvert(const std::string& folder, std::vector<std::string> args) {
        std::filesystem::create_directory(dir_ / folder);
        args.insert(args.begin(), CbmconvertPath);
        const ProcessResult result = RunProcess(args, {.directory = dir_ / folder});
        EXPECT_EQ(result.status, 0) << result.err;
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / folder))
            files[entry.path().filename().string()] = ReadFile(entry.path().string());
        return files;
    }

    ScratchDir dir_;
};

struct FormatCase {
    std::string format;
    std::string extracted;  // the name cbmconvert gives the file
};

std::string CaseName(const FormatCase& c) { return c.format; }
void PrintTo(const FormatCase& c, std::ostream* out) { *out << CaseName(c); }

class CbmconvertFormats : public Cbmconvert, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(CbmconvertFormats, DiskHoldsThePrg) {
    const FormatCase& c = GetParam();
    Convert({"-f", c.format}, "pic.d64");
    Convert({"-f", c.format}, "pic.prg");
    EXPECT_EQ(ReadFile(dir_ / "pic.d64").size(), 174848u);
    const auto files = RunCbmconvert("out", {"-N", "-d", dir_ / "pic.d64"});
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files.begin()->first, c.extracted);
    EXPECT_TRUE(files.begin()->second == ReadFile(dir_ / "pic.prg"));
}

INSTANTIATE_TEST_SUITE_P(Formats, CbmconvertFormats,
                         ::testing::Values(FormatCase{"koala", "-pic pixmosaic .prg"},  // $81 comes out as '-'
                                           FormatCase{"artstudio", "pixmosaic   mpic.prg"},
                                           FormatCase{"artist64", "p-pixmosaic.prg"},
                                           FormatCase{"blazing", "pi.pixmosaic.prg"},
                                           FormatCase{"sp2", "pixmosaic (sp2).prg"}),
                         test::CaseNames{});

TEST_F(Cbmconvert, GivenNameOnDiskAndInP00) {
    Convert({"-f", "artist64", "--name", "Sunset #1 [v2]"}, "pic.d64");
    Convert({"-f", "artist64", "--name", "Sunset #1 [v2]"}, "pic.p00");
    Convert({"-f", "artist64"}, "pic.prg");
    const std::vector<std::uint8_t> prg = ReadFile(dir_ / "pic.prg");
    struct Read {
        std::string folder;
        std::vector<std::string> args;
        std::string extracted;
    };
    // The directory pads the name with shifted spaces, which cbmconvert drops; the P00 header
    // pads it with zero bytes, which cbmconvert keeps as '-'.
    for (const Read& read : {Read{"disk", {"-N", "-d", dir_ / "pic.d64"}, "sunset #1 [v2].prg"},
                             Read{"p00", {"-N", "-p", dir_ / "pic.p00"}, "sunset #1 [v2]--.prg"}}) {
        SCOPED_TRACE(read.folder);
        const auto files = RunCbmconvert(read.folder, read.args);
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files.begin()->first, read.extracted);
        EXPECT_TRUE(files.begin()->second == prg);
    }
}

// A program (-x) on a disk is named after the output file, or as --name says.
TEST_F(Cbmconvert, ProgramOnDisk) {
    Convert({"-x"}, "show.d64");
    Convert({"-x", "--name", "Slide 2"}, "named.d64");
    Convert({"-x"}, "show.prg");
    const std::vector<std::uint8_t> prg = ReadFile(dir_ / "show.prg");
    ASSERT_GE(prg.size(), 2u);
    EXPECT_EQ(prg[0], 0x01);  // at the start of BASIC, $0801
    EXPECT_EQ(prg[1], 0x08);
    for (const auto& [disk, extracted] : std::vector<std::pair<std::string, std::string>>{
             {"show.d64", "show.prg"}, {"named.d64", "slide 2.prg"}}) {
        SCOPED_TRACE(disk);
        const auto files = RunCbmconvert("out-" + disk, {"-N", "-d", dir_ / disk});
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files.begin()->first, extracted);
        EXPECT_TRUE(files.begin()->second == prg);
    }
}

// cbmconvert writes a second file onto the disk where the BAM says blocks are free: the
// picture's blocks must be marked used, or the new file would overwrite them.
TEST_F(Cbmconvert, BamKeepsThePictureFromASecondFile) {
    Convert({}, "pic.d64");
    Convert({}, "pic.prg");
    std::vector<std::uint8_t> other(30000);
    for (std::size_t k = 0; k < other.size(); ++k) other[k] = static_cast<std::uint8_t>(k * 7 + k / 254);
    WriteFile(dir_ / "other", other);
    RunCbmconvert("add", {"-D4", dir_ / "pic.d64", "-n", dir_ / "other"});
    const auto files = RunCbmconvert("out", {"-N", "-d", dir_ / "pic.d64"});
    ASSERT_EQ(files.size(), 2u);
    EXPECT_TRUE(files.at("-pic pixmosaic .prg") == ReadFile(dir_ / "pic.prg"));
    EXPECT_TRUE(files.at("other.prg") == other);
}

// A disk of cbmconvert's making, holding files of its own, gets the picture added: every old
// file and the picture read back by cbmconvert byte for byte. A name on the disk is refused
// unless --replace; a disk too full is refused and left as it was.
TEST_F(Cbmconvert, ExistingDiskKeepsItsFiles) {
    std::filesystem::create_directory(dir_ / "native");
    std::map<std::string, std::vector<std::uint8_t>> old;
    for (const auto& [name, size] : std::vector<std::pair<std::string, std::size_t>>{{"intro", 3000}, {"music", 9000}, {"notes", 700}}) {
        std::vector<std::uint8_t> bytes(size);
        for (std::size_t k = 0; k < size; ++k) bytes[k] = static_cast<std::uint8_t>(k * 13 + name[0]);
        WriteFile(dir_ / ("native/" + name), bytes);
        old[name + ".prg"] = bytes;
    }
    RunCbmconvert("make", {"-D4", dir_ / "disk.d64", "-n", dir_ / "native/intro", dir_ / "native/music", dir_ / "native/notes"});
    Convert({"-f", "artist64", "--name", "sunset"}, "disk.d64");
    Convert({"-f", "artist64"}, "pic.prg");
    auto files = RunCbmconvert("out", {"-N", "-d", dir_ / "disk.d64"});
    ASSERT_EQ(files.size(), 4u);
    for (const auto& [name, bytes] : old) EXPECT_TRUE(files.at(name) == bytes) << name;
    EXPECT_TRUE(files.at("sunset.prg") == ReadFile(dir_ / "pic.prg"));

    // The name is on the disk now: a usage error, the disk unchanged; --replace replaces it.
    const std::vector<std::uint8_t> before = ReadFile(dir_ / "disk.d64");
    const ProcessResult taken = RunConverter({"-b", "0", dir_ / "in.bmp", "-o", dir_ / "disk.d64", "--name", "sunset"});
    EXPECT_EQ(taken.status, 2);
    EXPECT_EQ(taken.err.substr(0, taken.err.find('\n')),
              "pixmosaic-cli: '" + dir_ / "disk.d64" +
                  "' holds a PRG file \"SUNSET\" already: give --replace to replace it, or another name");
    EXPECT_TRUE(ReadFile(dir_ / "disk.d64") == before);
    Convert({"-f", "sp2", "--name", "sunset", "--replace"}, "disk.d64");
    Convert({"-f", "sp2"}, "packed.prg");
    files = RunCbmconvert("replaced", {"-N", "-d", dir_ / "disk.d64"});
    ASSERT_EQ(files.size(), 4u);
    for (const auto& [name, bytes] : old) EXPECT_TRUE(files.at(name) == bytes) << name;
    EXPECT_TRUE(files.at("sunset.prg") == ReadFile(dir_ / "packed.prg"));

    // --info lists every file, and says which are pictures.
    const ProcessResult info = RunConverter({"--info", dir_ / "disk.d64"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Files on the disk: 4, "), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  12 \"INTRO\" PRG\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  40 \"SUNSET\" PRG: SP2 run-length packed picture\n"), std::string::npos) << info.out;

    // A disk too full for a program: refused, unchanged.
    std::vector<std::uint8_t> big(160000, 0x55);  // 630 blocks: 34 left
    WriteFile(dir_ / "native/big", big);
    RunCbmconvert("fill", {"-D4", dir_ / "full.d64", "-n", dir_ / "native/big"});
    const std::vector<std::uint8_t> full = ReadFile(dir_ / "full.d64");
    const ProcessResult refused = RunConverter({"-b", "0", "-x", dir_ / "in.bmp", "-o", dir_ / "full.d64"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(": The disk has "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("The disk has not been changed."), std::string::npos) << refused.err;
    EXPECT_TRUE(ReadFile(dir_ / "full.d64") == full);
}

// A damaged disk is refused and never written.
TEST_F(Cbmconvert, DamagedDiskIsLeftAlone) {
    Convert({}, "disk.d64");
    std::vector<std::uint8_t> disk = ReadFile(dir_ / "disk.d64");
    disk[0x16500 + 4 * 17] ^= 1;  // track 17's free count no longer matches its bits
    WriteFile(dir_ / "disk.d64", disk);
    const ProcessResult result = RunConverter({"-b", "0", dir_ / "in.bmp", "-o", dir_ / "disk.d64", "--name", "two"});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("track 17"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("it has not been changed."), std::string::npos) << result.err;
    EXPECT_TRUE(ReadFile(dir_ / "disk.d64") == disk);
    WriteFile(dir_ / "text.d64", std::vector<std::uint8_t>(1000, 'x'));
    EXPECT_EQ(RunConverter({"-b", "0", dir_ / "in.bmp", "-o", dir_ / "text.d64"}).status, 1);
    EXPECT_EQ(ReadFile(dir_ / "text.d64"), std::vector<std::uint8_t>(1000, 'x'));
}

// Several inputs onto one disk, each under its input's name, numbered when two share one.
TEST_F(Cbmconvert, SeveralInputsOntoOneDisk) {
    std::filesystem::create_directory(dir_ / "b");
    std::filesystem::copy_file(dir_ / "in.bmp", dir_ / "b/in.bmp");
    WriteFile(dir_ / "sky.bmp", GoodPicture());
    const ProcessResult result =
        RunConverter({"-b", "0", dir_ / "in.bmp", dir_ / "sky.bmp", dir_ / "b/in.bmp", "-o", dir_ / "all.d64"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, dir_ / "in.bmp" + ": written " + dir_ / "all.d64" + " as \"IN\"\n" + dir_ / "sky.bmp" +
                              ": written " + dir_ / "all.d64" + " as \"SKY\"\n" + dir_ / "b/in.bmp" + ": written " +
                              dir_ / "all.d64" + " as \"IN-2\"\n3 pictures: 3 written, 0 refused.\n");
    Convert({}, "in.prg");
    const auto files = RunCbmconvert("out", {"-N", "-d", dir_ / "all.d64"});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_TRUE(files.at("in.prg") == ReadFile(dir_ / "in.prg"));
    EXPECT_TRUE(files.at("in-2.prg") == ReadFile(dir_ / "in.prg"));
    EXPECT_EQ(files.at("sky.prg").size(), 10003u);
    EXPECT_EQ(RunConverter({dir_ / "in.bmp", dir_ / "sky.bmp", "-o", dir_ / "all.d64", "--name", "x"}).status, 2);

    // A disk with room for one of them: the first goes on, the second is refused on its line.
    std::filesystem::create_directory(dir_ / "native");
    WriteFile(dir_ / "native/big", std::vector<std::uint8_t>(153000, 0x55));  // 603 blocks: 61 left
    RunCbmconvert("fill", {"-D4", dir_ / "full.d64", "-n", dir_ / "native/big"});
    const ProcessResult some = RunConverter({"-b", "0", dir_ / "in.bmp", dir_ / "sky.bmp", "-o", dir_ / "full.d64"});
    EXPECT_EQ(some.status, 1);
    EXPECT_EQ(some.out, dir_ / "in.bmp" + ": written " + dir_ / "full.d64" + " as \"IN\"\n2 pictures: 1 written, 1 refused.\n");
    EXPECT_EQ(some.err, dir_ / "sky.bmp" + ": Error: " + dir_ / "full.d64" +
                            ": The disk has 21 blocks free; \"SKY\" needs 40.\n");
    const auto kept = RunCbmconvert("kept", {"-N", "-d", dir_ / "full.d64"});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_TRUE(kept.at("in.prg") == ReadFile(dir_ / "in.prg"));
}

// The other way round: pictures that cbmconvert put on a disk of its own making, or into a P00
// file, are read back by the converter into the PRG they came from.
TEST_F(Cbmconvert, PicturesOnItsDisksAndInItsP00FilesReadBack) {
    Convert({"-f", "artstudio"}, "pic.prg");
    Convert({"-f", "sp2", "-x"}, "show.prg");
    std::filesystem::create_directory(dir_ / "native");
    std::filesystem::copy_file(dir_ / "pic.prg", dir_ / "native/studio pic");
    std::filesystem::copy_file(dir_ / "show.prg", dir_ / "native/show");
    RunCbmconvert("disk", {"-D4", dir_ / "made.d64", "-n", dir_ / "native/show", dir_ / "native/studio pic"});
    RunCbmconvert("p00", {"-P", "-n", dir_ / "native/studio pic"});

    const auto readBack = [&](std::vector<std::string> args, const std::string& output) {
        args.insert(args.end(), {"-o", dir_ / output});
        const ProcessResult result = RunConverter(args);
        EXPECT_EQ(result.status, 0) << result.err;
    };
    // The first picture on the disk is the program that shows one; --file picks the other.
    readBack({dir_ / "made.d64", "-f", "sp2", "-x", "-c", "prg"}, "first.prg");
    EXPECT_TRUE(ReadFile(dir_ / "first.prg") == ReadFile(dir_ / "show.prg"));
    readBack({dir_ / "made.d64", "--file", "studio pic", "-f", "artstudio", "-c", "prg"}, "named.prg");
    EXPECT_TRUE(ReadFile(dir_ / "named.prg") == ReadFile(dir_ / "pic.prg"));
    const ProcessResult info = RunConverter({"--info", "--file", "studio pic", dir_ / "made.d64"});
    EXPECT_NE(info.out.find("C64 name: \"STUDIO PIC\""), std::string::npos) << info.out;

    ASSERT_FALSE(std::filesystem::is_empty(dir_ / "p00"));
    for (const auto& entry : std::filesystem::directory_iterator(dir_ / "p00")) {
        readBack({entry.path().string(), "-f", "artstudio", "-c", "prg"}, "from-p00.prg");
        EXPECT_TRUE(ReadFile(dir_ / "from-p00.prg") == ReadFile(dir_ / "pic.prg")) << entry.path();
    }
}

}  // namespace
}  // namespace pxm::test

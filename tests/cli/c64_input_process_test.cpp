// C64 files as the converter's input: every format in every container (and as a program that
// shows it) read back into the Koala file of the same picture; PNG and BMP written from them; the
// BMP koalized back to the same file; --info; and the files that are refused, leaving nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "tests/support/case_names.h"

namespace pxm::test {
namespace {

// Background 0 and three colours in every cell, different from cell to cell.
std::vector<std::uint8_t> BusyPicture() {
    return MakeBmp({}, [](int x, int y) {
        const int k = (x / 2 + 3 * y) % 4;
        return k == 0 ? 0 : 1 + (x / 8 + y / 8 + 5 * k) % 15;
    });
}

class C64Input : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir_ / "in.bmp", BusyPicture());
        Convert({"-b", "0", dir_ / "in.bmp", "-c", "prg"}, "ref.prg");
    }

    void Convert(std::vector<std::string> args, const std::string& output) {
        args.insert(args.end(), {"-o", dir_ / output});
        const ProcessResult result = RunConverter(args);
        ASSERT_EQ(result.status, 0) << result.err;
    }

    // A refused input: exit 1, the message, and no output file.
    std::string Refused(const std::string& input, std::vector<std::string> args = {}) {
        args.insert(args.end(), {dir_ / input, "-o", dir_ / "refused.prg"});
        const ProcessResult result = RunConverter(args);
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "refused.prg"));
        return result.err;
    }

    ScratchDir dir_;
};

struct InputCase {
    std::string format;
    std::string extension;
    bool program;
};

std::string CaseName(const InputCase& c) { return c.format + "_" + c.extension + (c.program ? "_program" : ""); }
void PrintTo(const InputCase& c, std::ostream* out) { *out << CaseName(c); }

std::vector<InputCase> InputCases() {
    std::vector<InputCase> cases;
    for (const char* format : {"koala", "artstudio", "artist64", "blazing", "sp2"})
        for (const char* extension : {"prg", "p00", "tap", "d64"})
            for (const bool program : {false, true}) cases.push_back({format, extension, program});
    return cases;
}

class C64InputFormats : public C64Input, public ::testing::WithParamInterface<InputCase> {};

TEST_P(C64InputFormats, ReadBackIntoTheSameKoalaFile) {
    const InputCase& c = GetParam();
    // A name of its own, so that content and not the extension tells what the file is.
    const std::string name = "picture." + std::string(c.program ? "kla" : "ocp");
    std::vector<std::string> args{"-b", "0", "-f", c.format, "-c", c.extension, dir_ / "in.bmp"};
    if (c.program) args.push_back("-x");
    Convert(args, "made.bin");
    std::filesystem::rename(dir_ / "made.bin", dir_ / name);
    Convert({dir_ / name, "-f", "koala", "-c", "prg"}, "back.prg");
    EXPECT_TRUE(ReadFile(dir_ / "back.prg") == ReadFile(dir_ / "ref.prg"));

    const ProcessResult info = RunConverter({"--info", dir_ / name});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("(" + c.format + ")"), std::string::npos) << info.out;
    EXPECT_EQ(info.out.find("a program that shows") != std::string::npos, c.program) << info.out;
}

INSTANTIATE_TEST_SUITE_P(EveryFormatAndContainer, C64InputFormats, ::testing::ValuesIn(InputCases()), CaseNames{});

TEST_F(C64Input, BmpOutputKoalizesBackToTheSameFile) {
    Convert({dir_ / "ref.prg"}, "shown.bmp");
    const std::vector<std::uint8_t> bmp = ReadFile(dir_ / "shown.bmp");
    ASSERT_EQ(bmp.size(), 118u + 32000u);
    EXPECT_EQ(bmp[28], 4);  // four bits a pixel
    Convert({"-b", "0", "-c", "prg", dir_ / "shown.bmp"}, "again.prg");
    EXPECT_TRUE(ReadFile(dir_ / "again.prg") == ReadFile(dir_ / "ref.prg"));

    Convert({dir_ / "ref.prg", "-c", "png", "--palette", "colodore"}, "shown.out");
    const std::vector<std::uint8_t> png = ReadFile(dir_ / "shown.out");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ((png[16] << 24 | png[17] << 16 | png[18] << 8 | png[19]), 320);
    EXPECT_EQ((png[20] << 24 | png[21] << 16 | png[22] << 8 | png[23]), 200);
}

TEST_F(C64Input, InfoTellsWhatTheFileIs) {
    Convert({"-b", "0", "-f", "artist64", "--name", "sunset", dir_ / "in.bmp"}, "pic.d64");
    const ProcessResult info = RunConverter({"--info", dir_ / "pic.d64"});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, info.out.find("Colours used")),
              "File: " + dir_ / "pic.d64" +
                  "\nFormat: Artist 64 (artist64)\nContainer: D64 image\nLoad address: $4000\nC64 name: \"SUNSET\"\n"
              "Background: black (0)\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "pic.prg"));
}

TEST_F(C64Input, RefusesBrokenFilesAndWritesNothing) {
    std::vector<std::uint8_t> prg = ReadFile(dir_ / "ref.prg");
    prg.pop_back();
    WriteFile(dir_ / "short.kla", prg);
    EXPECT_NE(Refused("short.kla").find("holds 10000 picture bytes; the format has 10001"), std::string::npos);

    Convert({"-b", "0", "-f", "sp2", "-c", "p00", dir_ / "in.bmp"}, "packed.p00");
    std::vector<std::uint8_t> p00 = ReadFile(dir_ / "packed.p00");
    p00.resize(p00.size() - 1);
    WriteFile(dir_ / "packed.p00", p00);
    EXPECT_NE(Refused("packed.p00").find("SP2 stream runs past its end"), std::string::npos);

    WriteFile(dir_ / "odd.prg", {0x00, 0x30, 1, 2, 3});  // no picture loads there: the BMP reader refuses it
    Refused("odd.prg");

    Convert({"-b", "0", dir_ / "in.bmp"}, "pic.d64");
    std::vector<std::uint8_t> disk = ReadFile(dir_ / "pic.d64");
    const std::size_t directory = 256 * (17 * 21 + 1);
    disk[directory] = 18;  // the directory's chain comes back to its own block
    disk[directory + 1] = 1;
    WriteFile(dir_ / "loop.d64", disk);
    EXPECT_NE(Refused("loop.d64").find("comes back to track 18 sector 1"), std::string::npos);

    WriteFile(dir_ / "refused.prg", {1, 2, 3});  // an existing file stays as it was
    const ProcessResult kept = RunConverter({dir_ / "short.kla", "-o", dir_ / "refused.prg"});
    EXPECT_EQ(kept.status, 1);
    EXPECT_TRUE(ReadFile(dir_ / "refused.prg") == std::vector<std::uint8_t>({1, 2, 3}));
}

TEST_F(C64Input, FileAppliesOnlyToADisk) {
    const ProcessResult result = RunConverter({dir_ / "ref.prg", "--file", "pic", "-o", dir_ / "x.prg"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("--file picks a file on a D64 image"), std::string::npos);
}

// A C64 file is not koalized: the options that only koalizing heeds are refused, not ignored,
// and nothing is written.
TEST_F(C64Input, KoalizingOptionsAreUsageErrors) {
    for (const std::vector<std::string>& option :
         {std::vector<std::string>{"-m", "grey4"}, {"-b", "blue"}, {"--background=6"}, {"--backgrounds"},
          {"--clash-map", dir_ / "map.png"}}) {
        std::vector<std::string> args = option;
        args.insert(args.end(), {dir_ / "ref.prg", "-o", dir_ / "x.prg"});
        const ProcessResult result = RunConverter(args);
        EXPECT_EQ(result.status, 2) << option[0];
        const std::string spelled = option[0].substr(0, option[0].find('='));
        EXPECT_NE(result.err.find("pixmosaic-cli: " + spelled + " is for a picture to koalize; " + dir_ / "ref.prg" +
                                  " is a C64 file, which keeps its own colours and background"),
                  std::string::npos)
            << result.err;
        EXPECT_FALSE(std::filesystem::exists(dir_ / "x.prg"));
        EXPECT_FALSE(std::filesystem::exists(dir_ / "map.png"));
    }
    // The same options still apply to a picture that is koalized.
    Convert({"-m", "multicolour", "-b", "0", "--backgrounds", dir_ / "in.bmp"}, "again.prg");
}

}  // namespace
}  // namespace pxm::test

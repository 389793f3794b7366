// C64 files as the converter's input at the edges: Koala files padded or without their load
// address read and the user told; a C64 file written into another container keeps its format and
// C64 name (checked with cbmconvert and by reading the output back) unless -f, the output's name
// or --name says otherwise.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"

namespace pxm::test {
namespace {

class C64Edges : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(dir_ / "in.bmp", GoodPicture());
        Convert({"-b", "0", dir_ / "in.bmp"}, "ref.prg");
    }

    // The converter's information lines.
    std::string Convert(std::vector<std::string> args, const std::string& output) {
        args.insert(args.end(), {"-o", dir_ / output});
        const ProcessResult result = RunConverter(args);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    std::string Info(const std::string& file) {
        const ProcessResult result = RunConverter({"--info", dir_ / file});
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    bool Same(const std::string& a, const std::string& b) { return ReadFile(dir_ / a) == ReadFile(dir_ / b); }

    ScratchDir dir_;
};

TEST_F(C64Edges, PaddedKoalaIsReadAndThePaddingTold) {
    std::vector<std::uint8_t> padded = ReadFile(dir_ / "ref.prg");
    padded.resize(10254, 0);
    WriteFile(dir_ / "padded.kla", padded);
    const std::string told = "Trailing bytes: 251 bytes of $00 after the picture, ignored as padding";
    EXPECT_NE(Convert({dir_ / "padded.kla"}, "out.prg").find(told + ".\n"), std::string::npos);
    EXPECT_TRUE(Same("out.prg", "ref.prg"));
    EXPECT_NE(Info("padded.kla").find(told + "\n"), std::string::npos);
    EXPECT_EQ(Convert({"-q", dir_ / "padded.kla"}, "quiet.prg"), "");

    // Bytes after the picture that are no padding: refused, nothing written.
    padded[10100] = 1;
    WriteFile(dir_ / "mixed.kla", padded);
    const ProcessResult refused = RunConverter({dir_ / "mixed.kla", "-o", dir_ / "refused.prg"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("holds 10252 picture bytes; the format has 10001"), std::string::npos) << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "refused.prg"));
}

TEST_F(C64Edges, KoalaWithoutLoadAddressIsReadAsKoala) {
    const std::vector<std::uint8_t> prg = ReadFile(dir_ / "ref.prg");
    WriteFile(dir_ / "bare.koa", {prg.begin() + 2, prg.end()});
    const std::string told =
        "Load address: none in the file (its 10001 bytes are a Koala-Painter picture alone); $6000 taken";
    EXPECT_NE(Convert({dir_ / "bare.koa"}, "out.prg").find(told + ".\n"), std::string::npos);
    EXPECT_TRUE(Same("out.prg", "ref.prg"));
    const std::string info = Info("bare.koa");
    EXPECT_EQ(info.substr(0, info.find("C64 name")),
              "File: " + dir_ / "bare.koa" + "\nFormat: Koala-Painter (koala)\nContainer: none (the picture's bytes alone)\n" +
                  told + "\n");
}

// The converter's (and the Windows program's, the same bytes) Art Studio files keep the
// background in both bytes: read as it is, no byte named.
TEST_F(C64Edges, ArtStudioFilesWithBothBytesKeepTheirBackground) {
    WriteFile(dir_ / "blue.bmp", MakeBmp({}, [](int x, int y) { return std::array{14, 1, 2, 3}[(x / 2 + y) % 4]; }));
    Convert({"-b", "14", "-f", "artstudio", dir_ / "blue.bmp"}, "blue.ocp");
    const std::vector<std::uint8_t> file = ReadFile(dir_ / "blue.ocp");
    ASSERT_EQ(file.size(), 2u + 10016u);
    EXPECT_EQ(file[2 + 9000], 0xFE);
    EXPECT_EQ(file[2 + 9001], 0xFE);
    EXPECT_NE(Info("blue.ocp").find("Background: light blue (14)\n"), std::string::npos);
    EXPECT_EQ(Convert({dir_ / "blue.ocp"}, "again.ocp").find("Background"), std::string::npos);
    EXPECT_TRUE(Same("again.ocp", "blue.ocp"));
}

TEST_F(C64Edges, AnotherContainerKeepsFormatAndName) {
    Convert({"-b", "0", "-f", "artstudio", "--name", "sunset", dir_ / "in.bmp"}, "pic.p00");
    Convert({"-b", "0", "-f", "artstudio", dir_ / "in.bmp"}, "pic.prg");
    Convert({dir_ / "pic.p00"}, "pic.d64");
    std::filesystem::create_directory(dir_ / "out");
    const ProcessResult extracted =
        RunProcess({PIXMOSAIC_CBMCONVERT_PATH, "-N", "-d", dir_ / "pic.d64"}, {.directory = dir_ / "out"});
    ASSERT_EQ(extracted.status, 0) << extracted.err;
    EXPECT_TRUE(ReadFile(dir_ / "out/sunset.prg") == ReadFile(dir_ / "pic.prg"));

    // A PRG has no name: the format's own. Read back, the same bytes.
    Convert({"-b", "0", "-f", "sp2", dir_ / "in.bmp"}, "packed.prg");
    Convert({dir_ / "packed.prg"}, "packed.tap");
    EXPECT_NE(Info("packed.tap").find("Format: SP2 run-length packed (sp2)\nContainer: TAP image\nLoad address: $5500\n"
                                      "C64 name: \"PIXMOSAIC (SP2)\"\n"),
              std::string::npos);
    Convert({dir_ / "packed.tap"}, "again.prg");
    EXPECT_TRUE(Same("again.prg", "packed.prg"));
}

TEST_F(C64Edges, FormatNameAndExtensionStillDecide) {
    Convert({"-b", "0", "-f", "artstudio", "--name", "sunset", dir_ / "in.bmp"}, "pic.p00");
    // -f: that format under its own name.
    Convert({dir_ / "pic.p00", "-f", "koala"}, "koala.p00");
    Convert({"-b", "0", dir_ / "in.bmp", "-c", "p00"}, "ref.p00");
    EXPECT_TRUE(Same("koala.p00", "ref.p00"));
    // -f naming the file's own format keeps the name too.
    Convert({dir_ / "pic.p00", "-f", "artstudio", "-c", "tap"}, "same.tap");
    EXPECT_NE(Info("same.tap").find("C64 name: \"SUNSET\""), std::string::npos);
    // --name: the format kept, the name given.
    Convert({dir_ / "pic.p00", "--name", "dusk"}, "dusk.p00");
    Convert({"-b", "0", "-f", "artstudio", "--name", "dusk", dir_ / "in.bmp"}, "made.p00");
    EXPECT_TRUE(Same("dusk.p00", "made.p00"));
    // An extension that names a format.
    Convert({dir_ / "pic.p00"}, "pic.kla");
    EXPECT_TRUE(Same("pic.kla", "ref.prg"));
}

}  // namespace
}  // namespace pxm::test

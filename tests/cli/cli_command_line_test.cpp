// The converter at the command line as people use it: inputs never destroyed, pipes, many
// pictures at once, names taken from files, options that would do nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/cli/cli_test_support.h"

namespace pxm::test {
namespace {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        in_ = dir_ / "in.bmp";
        WriteFile(in_, GoodPicture());
        const auto reference = RunConverter({in_, "-o", dir_ / "reference.prg"});
        ASSERT_EQ(reference.status, 0) << reference.err;
        prg_ = ReadFile(dir_ / "reference.prg");
        std::filesystem::remove(dir_ / "reference.prg");
    }
    std::vector<std::string> Entries(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    ScratchDir dir_;
    std::string in_;
    std::vector<std::uint8_t> prg_;  // in.bmp as the PRG of a Koala picture
};

TEST_F(CommandLine, NoInputIsEverDestroyed) {
    std::filesystem::create_symlink(in_, dir_ / "link.bmp");
    std::filesystem::create_hard_link(in_, dir_ / "hard.bmp");
    const std::vector<std::vector<std::string>> commands{
        {in_, "-o", in_},
        {in_, "-o", dir_ / "link.bmp"},
        {in_, "-o", dir_ / "hard.bmp"},
        {in_, "-o", dir_ / "./in.bmp"},
        {in_, "-o", dir_ / "sub/../in.bmp"},
        {in_, "-o", dir_ / "out.prg", "--preview", dir_ / "link.bmp"},
        {in_, "-o", dir_ / "out.prg", "--preview", dir_ / "./out.prg"},
        {in_, "-o", "-", "--preview", "-"},
        {in_, "-o", "-", "--preview", "/dev/stdout"},
    };
    std::filesystem::create_directory(dir_ / "sub");
    for (const auto& args : commands) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const auto result = RunConverter(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadFile(in_), GoodPicture());
    }
    EXPECT_EQ(RunConverter(commands[1]).err.substr(0, RunConverter(commands[1]).err.find('\n')),
              "pixmosaic-cli: the output '" + dir_ / "link.bmp" + "' is the input '" + in_ +
                  "': writing it would destroy the picture");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.prg"));
}

TEST_F(CommandLine, PipesAreByteExactAndKeepInformationApart) {
    const auto piped = RunConverter({"-", "-o", "-"}, {.standardInput = in_});
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(std::vector<std::uint8_t>(piped.out.begin(), piped.out.end()), prg_);
    EXPECT_EQ(piped.err, "Chosen background color: black.\n");
    const auto device = RunConverter({in_, "-o", "/dev/stdout", "-c", "prg"});
    EXPECT_EQ(std::vector<std::uint8_t>(device.out.begin(), device.out.end()), prg_);
    EXPECT_EQ(device.err, "Chosen background color: black.\n");
    const auto quiet = RunConverter({"-q", "-", "-o", dir_ / "q.prg"}, {.standardInput = in_});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out + quiet.err, "");
    EXPECT_EQ(ReadFile(dir_ / "q.prg"), prg_);
    const auto tape = RunConverter({in_, "-o", "-", "-c", "tap"});
    EXPECT_EQ(tape.out.rfind("C64-TAPE-RAW", 0), 0u);
}

TEST_F(CommandLine, VerboseTellsTheCellsAndTheTime) {
    const auto result = RunConverter({in_, "-o", dir_ / "v.prg", "-v"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out.rfind("Chosen background color: black.\nCells by colours besides background 0 (black): 0: ", 0), 0u)
        << result.out;
    EXPECT_NE(result.out.find("\nTime taken: "), std::string::npos);
}

TEST_F(CommandLine, OutputsNamedByTheirExtension) {
    ASSERT_EQ(RunConverter({in_, "-o", dir_ / "pic.KLA"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.KLA"), prg_);
    ASSERT_EQ(RunConverter({in_, "-o", dir_ / "pic.ocp"}).status, 0);
    ASSERT_EQ(RunConverter({in_, "-f", "artstudio", "-o", dir_ / "art.prg"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.ocp"), ReadFile(dir_ / "art.prg"));
    // Named after the input, beside it, as a PRG.
    const auto named = RunConverter({in_});
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(ReadFile(dir_ / "in.prg"), prg_);
    // The picture itself as a PC shows it.
    ASSERT_EQ(RunConverter({in_, "-o", dir_ / "pic.png"}).status, 0);
    ASSERT_EQ(RunConverter({in_, "-o", dir_ / "x.prg", "--preview", dir_ / "preview.png"}).status, 0);
    EXPECT_EQ(ReadFile(dir_ / "pic.png"), ReadFile(dir_ / "preview.png"));
    const auto unknown = RunConverter({in_, "-o", dir_ / "pic.jpg"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "pic.jpg"));
}

TEST_F(CommandLine, ManyPicturesIntoAFolder) {
    std::filesystem::create_directory(dir_ / "pics");
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) WriteFile(dir_ / ("pics/" + std::string(name)), GoodPicture());
    WriteFile(dir_ / "pics/bad.bmp", MakeBmp({}, CellPainter({{3, {1, 2, 3, 4, 5}}}, 0)));
    const std::string pics = dir_ / "pics/";
    const auto result = RunConverter({pics + "a.bmp", pics + "bad.bmp", pics + "b.bmp", pics + "c.bmp", "-j", "2", "-o",
                                      dir_ / "out/", "-c", "tap"},
                                     {});
    EXPECT_EQ(result.status, 1);  // the folder is not there yet: told before any picture is read
    EXPECT_EQ(result.err, "System Error: " + dir_ / "out/a.tap" + ": No such file or directory\n");
    std::filesystem::create_directory(dir_ / "out");
    const auto batch = RunConverter({pics + "a.bmp", pics + "bad.bmp", pics + "b.bmp", pics + "c.bmp", "-j", "2",
                                     "--output-dir", dir_ / "out"});
    EXPECT_EQ(batch.status, 1);
    const std::string out = dir_ / "out/";
    EXPECT_EQ(batch.out, pics + "a.bmp: written " + out + "a.prg\n" + pics + "b.bmp: written " + out + "b.prg\n" + pics +
                             "c.bmp: written " + out + "c.prg\n4 pictures: 3 written, 1 refused.\n");
    // The refusal names its file; its lines are one.
    EXPECT_EQ(batch.err.rfind("Error: " + pics + "bad.bmp: The picture is not a valid C64 Format one. --nearest (-n) "
                              "makes the nearest C64 picture of it. No background works;", 0),
              0u)
        << batch.err;
    EXPECT_EQ(std::count(batch.err.begin(), batch.err.end(), '\n'), 1);
    EXPECT_EQ(Entries(dir_ / "out"), (std::vector<std::string>{"a.prg", "b.prg", "c.prg"}));
    EXPECT_EQ(ReadFile(dir_ / "out/c.prg"), prg_);
}

// Two inputs of one name are written apart, the later one numbered clear of every other output
// and told so on its line; an output that is an input is still refused.
TEST_F(CommandLine, InputsOfOneNameAreWrittenApart) {
    std::filesystem::create_directory(dir_ / "pics");
    std::filesystem::create_directory(dir_ / "out");
    const std::string pics = dir_ / "pics/";
    const std::string out = dir_ / "out/";
    WriteFile(pics + "a.bmp", GoodPicture());
    WriteFile(pics + "a-2.bmp", GoodPicture());
    WriteFile(dir_ / "a.bmp", MakeBmp({}, [](int x, int y) { return (x / 8 + y / 8) % 3 + 1; }));
    ASSERT_EQ(RunConverter({dir_ / "a.bmp", "-o", dir_ / "other.prg"}).status, 0);
    const auto batch = RunConverter({pics + "a.bmp", dir_ / "a.bmp", pics + "a-2.bmp", "-o", out});
    EXPECT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.out, pics + "a.bmp: written " + out + "a.prg\n" + dir_ / "a.bmp" + ": written " + out + "a-3.prg (" +
                             out + "a.prg is " + pics + "a.bmp's)\n" + pics + "a-2.bmp: written " + out +
                             "a-2.prg\n3 pictures: 3 written, 0 refused.\n");
    EXPECT_EQ(Entries(dir_ / "out"), (std::vector<std::string>{"a-2.prg", "a-3.prg", "a.prg"}));
    EXPECT_EQ(ReadFile(out + "a.prg"), prg_);
    EXPECT_EQ(ReadFile(out + "a-3.prg"), ReadFile(dir_ / "other.prg"));
    // One input given twice, written beside itself.
    const auto twice = RunConverter({pics + "a.bmp", pics + "a.bmp", "-c", "p00"});
    EXPECT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(twice.out, pics + "a.bmp: written " + pics + "a.p00\n" + pics + "a.bmp: written " + pics + "a-2.p00 (" +
                             pics + "a.p00 is " + pics + "a.bmp's)\n2 pictures: 2 written, 0 refused.\n");
    // An output that is an input stays a usage error.
    const auto input = RunConverter({dir_ / "a.bmp", pics + "a.bmp", "-o", pics, "-c", "bmp"});
    EXPECT_EQ(input.status, 2);
    EXPECT_NE(input.err.find("is the input"), std::string::npos) << input.err;
}

TEST_F(CommandLine, BackgroundsAloneOnlyList) {
    const auto listed = RunConverter({in_, "--backgrounds"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out.rfind("Backgrounds that work: black, white, red, ", 0), 0u) << listed.out;
    EXPECT_EQ(Entries(dir_.path()), std::vector<std::string>{"in.bmp"});
    WriteFile(dir_ / "bad.bmp", MakeBmp({}, CellPainter({{3, {1, 2, 3, 4, 5}}}, 0)));
    const auto none = RunConverter({dir_ / "bad.bmp", "--backgrounds"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "Backgrounds that work: none.\n");
}

TEST_F(CommandLine, AProgramNameShowsOnlyWhatWasTyped) {
    const auto result = RunConverter({in_, "-x", "-o", dir_ / "my_pic.d64"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Chosen background color: black.\nC64 name: \"MYPIC\" (what a C64 can show of '" +
                              dir_ / "my_pic.d64" + "'; --name gives another).\n");
    const auto plain = RunConverter({in_, "-x", "-o", dir_ / "sunset.prg"});
    EXPECT_EQ(plain.out, "Chosen background color: black.\n");
}

}  // namespace
}  // namespace pxm::test

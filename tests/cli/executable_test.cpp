// The programs --executable writes: BASIC line, displayer, parameter block and picture data.
#include <gtest/gtest.h>
#include <tuple>

#include "lib/output/c64/displayer_image.h"
#include "lib/wording/container_refusal.h"
#include "lib/output/executable.h"
#include "lib/output/program_name.h"
#include "core/export/containers.h"
#include "tests/cli/koala_pictures.h"
#include "tests/support/case_names.h"

namespace pxm::cli {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint16_t WordAt(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The value of a parameter block field in a program.
std::uint16_t Parameter(const Bytes& program, std::uint16_t field) {
    return WordAt(program, field - BasicStart);
}

TEST(BasicLine, TenSysTheDisplayer) {
    // Link to $080B, line 10, SYS, "2061", end of line, end of program.
    EXPECT_EQ(BasicLine(2061), (Bytes{0x0B, 0x08, 0x0A, 0x00, 0x9E, '2', '0', '6', '1', 0x00, 0x00, 0x00}));
    EXPECT_EQ(BasicLine(49152), (Bytes{0x0C, 0x08, 0x0A, 0x00, 0x9E, '4', '9', '1', '5', '2', 0x00, 0x00, 0x00}));
}

TEST(BasicLine, DisplayerStartsRightBehindIt) {
    EXPECT_EQ(BasicStart + BasicLine(Displayer.start).size(), Displayer.loadAddress);
    EXPECT_EQ(Displayer.start, Displayer.loadAddress);
    EXPECT_EQ(PictureDataOffset(), BasicLine(Displayer.start).size() + Displayer.bytes.size());
}

TEST(Displayer, ParameterBlockIsLastAndZero) {
    const std::size_t end = Displayer.loadAddress + Displayer.bytes.size();
    EXPECT_EQ(Displayer.border + 1u, end) << "the picture data must follow the parameter block";
    for (const std::uint16_t field : {Displayer.stream, Displayer.streamEnd, Displayer.bitmap, Displayer.screen,
                                      Displayer.colour, Displayer.background, Displayer.border}) {
        SCOPED_TRACE(::testing::Message() << "field at $" << std::hex << field);
        ASSERT_GE(field, Displayer.loadAddress);
        ASSERT_LT(field, end);
        EXPECT_EQ(Displayer.bytes[field - Displayer.loadAddress], 0);
    }
}

TEST(Displayer, LargestProgramStaysBelowWhatItWrites) {
    // The data the displayer reads never meets the screen at $8000 or the unpacked layout.
    const std::size_t end = BasicStart + PictureDataOffset() + PictureDataCapacity;
    EXPECT_LE(end, 0x8000u);
    EXPECT_LE(end, Displayer.unpackTo);
}

struct FormatCase {
    ExportFormat format;
    bool correctSp2Flaw;
};

class ProgramOfFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ProgramOfFormat, HoldsThePlainDataAndPointsAtItsParts) {
    const auto [format, correct] = GetParam();
    const FormatInfo& info = InfoOf(format);
    for (const test::NamedPicture& picture : test::PicturesForPrograms()) {
        SCOPED_TRACE(picture.name);
        auto data = std::make_unique<PictureData>();
        BuildPictureData(*picture.image, format, correct, *data);
        const Bytes program = BuildProgram(format, data->view());

        const Bytes basic = BasicLine(Displayer.start);
        ASSERT_EQ(program.size(), PictureDataOffset() + data->size);
        EXPECT_TRUE(std::equal(basic.begin(), basic.end(), program.begin()));
        EXPECT_TRUE(std::equal(data->view().begin(), data->view().end(), program.begin() + PictureDataOffset()))
            << "the picture data differs from the plain file's";

        const auto dataAt = static_cast<std::uint16_t>(BasicStart + PictureDataOffset());
        const bool packed = info.encoding == Encoding::Sp2Packed;
        const std::uint16_t layoutAt = packed ? Displayer.unpackTo : dataAt;
        EXPECT_EQ(Parameter(program, Displayer.stream), packed ? dataAt : 0);
        EXPECT_EQ(Parameter(program, Displayer.streamEnd), packed ? dataAt + data->size : 0);
        EXPECT_EQ(Parameter(program, Displayer.bitmap), layoutAt + info.layout.bitmapAt);
        EXPECT_EQ(Parameter(program, Displayer.screen), layoutAt + info.layout.screenAt);
        EXPECT_EQ(Parameter(program, Displayer.colour), layoutAt + info.layout.colourAt);
        const std::uint8_t background = packed ? 0 : (*picture.image)[KoalaBackgroundOffset] & 0x0F;
        EXPECT_EQ(program[Displayer.background - BasicStart], background);
        EXPECT_EQ(program[Displayer.border - BasicStart], background) << "no border given: the background's";
        const Bytes red = BuildProgram(format, data->view(), 2);
        EXPECT_EQ(red[Displayer.border - BasicStart], 2);
        EXPECT_EQ(red[Displayer.background - BasicStart], background);
    }
}

TEST_P(ProgramOfFormat, EveryContainerHoldsTheProgram) {
    const auto [format, correct] = GetParam();
    const auto image = test::RandomImage(42);
    auto data = std::make_unique<PictureData>();
    BuildPictureData(*image, format, correct, *data);
    const Bytes program = BuildProgram(format, data->view());

    const PictureFile prg = BuildExecutableFile(*image, format, Container::Prg, correct, "PICTURE").value();
    ASSERT_EQ(prg.bytes.size(), program.size() + 2);
    EXPECT_EQ(prg.bytes[0], 0x01);
    EXPECT_EQ(prg.bytes[1], 0x08);
    EXPECT_TRUE(std::equal(program.begin(), program.end(), prg.bytes.begin() + 2));

    const PictureFile p00 = BuildExecutableFile(*image, format, Container::P00, correct, "PICTURE").value();
    const P00Header header = BuildP00Header("PICTURE");
    EXPECT_TRUE(std::equal(header.begin(), header.end(), p00.bytes.begin()));
    EXPECT_TRUE(std::equal(prg.bytes.begin(), prg.bytes.end(), p00.bytes.begin() + P00HeaderSize));

    Bytes tap;
    EXPECT_TRUE(AppendContainer(tap, Container::Tap, {BasicStart, "PICTURE", program}).ok());
    EXPECT_EQ(BuildExecutableFile(*image, format, Container::Tap, correct, "PICTURE")->bytes, tap);
}

std::string CaseName(const FormatCase& c) {
    std::string name(InfoOf(c.format).key);
    if (InfoOf(c.format).encoding == Encoding::Sp2Packed) name += c.correctSp2Flaw ? "Corrected" : "AsIs";
    return name;
}
void PrintTo(const FormatCase& c, std::ostream* os) { *os << CaseName(c); }

INSTANTIATE_TEST_SUITE_P(Formats, ProgramOfFormat,
                         ::testing::Values(FormatCase{ExportFormat::Koala, false}, FormatCase{ExportFormat::ArtStudio, false},
                                           FormatCase{ExportFormat::Artist64, false},
                                           FormatCase{ExportFormat::BlazingPaddles, false},
                                           FormatCase{ExportFormat::Sp2, false}, FormatCase{ExportFormat::Sp2, true}),
                         test::CaseNames{});

// No program built around a picture grows beyond a disk; were one to, this is what is said.
TEST(ContainerRefusal, NamesTheBlocksTheFileTakes) {
    const std::vector<std::uint8_t> data(664 * 254 - 1, 0);
    std::vector<std::uint8_t> out;
    const Status<TooLargeForDisk> disk = AppendContainer(out, Container::D64, ProgramFile(data, "BIG"));
    ASSERT_FALSE(disk.ok());
    EXPECT_EQ(ContainerRefusalText(disk.error()),
              "The file takes 665 blocks (168657 bytes with its load address); a 1541 disk holds 664.");
}

TEST(ProgramName, FromTheOutputFileName) {
    // Capitals are what a C64 shows of any letter; a character left out or cut off is told.
    const std::vector<std::tuple<std::string, std::string, bool>> cases{
        {"picture.prg", "PICTURE", true},
        {"out/dir.x/Sunset-2.tap", "SUNSET-2", true},
        {"noext", "NOEXT", true},
        {"a.b.p00", "A.B", true},
        {"a very long picture name.prg", "A VERY LONG PICT", false},
        {"under_score~.prg", "UNDERSCORE", false},
        {"caf\xC3\xA9.prg", "CAF", false},
        {"back\\slash^.prg", "BACKSLASH", false},  // PETSCII shows other signs at these codes
    };
    for (const auto& [path, name, asTyped] : cases) {
        EXPECT_EQ(ProgramName(path).petscii, name) << path;
        EXPECT_EQ(ProgramName(path).asTyped, asTyped) << path;
    }
}

}  // namespace
}  // namespace pxm::cli

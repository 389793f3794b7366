// Every format in every container, as the converter and the Windows program write it, read back
// to the picture it was made from; and the PRG and P00 files that are refused.
#include <gtest/gtest.h>

#include "core/c64read/c64_picture_reader.h"
#include "core/export/picture_file.h"
#include "tests/core/c64read_test_support.h"

namespace pxm {
namespace {

using test::RandomImage;

struct ReadCase {
    ExportFormat format;
    Container container;
};

std::string CaseName(const ReadCase& c) { return test::FormatWord(c.format) + "_" + test::ContainerWord(c.container); }
void PrintTo(const ReadCase& c, std::ostream* out) { *out << CaseName(c); }

std::vector<ReadCase> AllCases() {
    std::vector<ReadCase> cases;
    for (int f = 0; f < ExportFormatCount; ++f)
        for (int c = 0; c < ContainerCount; ++c) cases.push_back({static_cast<ExportFormat>(f), static_cast<Container>(c)});
    return cases;
}

class ReadBack : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBack, GivesThePictureItWasMadeFrom) {
    const auto [format, container] = GetParam();
    for (std::uint32_t seed : {7u, 8u}) {
        auto image = RandomImage(seed, seed == 7 ? 256 : 3);
        if (format == ExportFormat::Sp2) image->at(KoalaBackgroundOffset) = 0;  // SP2 keeps none
        const PictureFile file = BuildPictureFile(*image, format, container, seed == 8);
        const Result<C64Picture, ReadFailure> read = ReadC64Picture(file.bytes, {});
        ASSERT_TRUE(read.ok()) << static_cast<int>(read.error().kind);
        EXPECT_TRUE(read->image == *image);
        EXPECT_EQ(read->format, format);
        EXPECT_EQ(read->hasBackground, format != ExportFormat::Sp2);
        EXPECT_EQ(read->loadAddress, InfoOf(format).loadAddress);
        EXPECT_FALSE(read->showingProgram);
        if (container == Container::Prg) {
            EXPECT_FALSE(read->container.has_value());
            EXPECT_EQ(read->c64Name, "");
        } else {
            EXPECT_EQ(read->container, container);
            EXPECT_EQ(read->c64Name, InfoOf(format).c64Name);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormatAndContainer, ReadBack, ::testing::ValuesIn(AllCases()), test::CaseNames{});

TEST(ReadC64Picture, TakesTheLastBackgroundCopyAndKeepsColourBytes) {
    // Art Studio keeps the border colour in the first copy, the background in the second.
    const auto image = RandomImage(3);
    PictureFile file = BuildPictureFile(*image, ExportFormat::ArtStudio, Container::Prg, false);
    file.bytes[2 + 9000] = 0xF5;
    file.bytes[2 + 9001] = 0xF9;
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(file.bytes, {});
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->image[KoalaBackgroundOffset], 9);
    EXPECT_EQ(read->image[KoalaColourOffset], image->at(KoalaColourOffset));
}

ReadFailure FailureOf(const std::vector<std::uint8_t>& bytes) {
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(bytes, {});
    EXPECT_FALSE(read.ok());
    return read.ok() ? ReadFailure{} : read.error();
}

TEST(ReadC64Picture, RefusesTruncatedAndUnknownProgramFiles) {
    const auto image = RandomImage(4);
    for (const ExportFormat format : {ExportFormat::Koala, ExportFormat::Artist64}) {
        std::vector<std::uint8_t> prg = BuildPictureFile(*image, format, Container::Prg, false).bytes;
        prg.pop_back();
        const ReadFailure truncated = FailureOf(prg);
        EXPECT_EQ(truncated.kind, ReadFailureKind::WrongLength);
        EXPECT_EQ(truncated.format, format);
        EXPECT_EQ(truncated.found, InfoOf(format).layout.size - 1);
        EXPECT_EQ(truncated.expected, InfoOf(format).layout.size);
    }
    const ReadFailure unknown = FailureOf({0x00, 0x30, 1, 2, 3});
    EXPECT_EQ(unknown.kind, ReadFailureKind::UnknownLoadAddress);
    EXPECT_EQ(unknown.address, 0x3000);
    EXPECT_EQ(unknown.found, 3u);
    EXPECT_EQ(FailureOf({0x60}).kind, ReadFailureKind::NoLoadAddress);
    EXPECT_EQ(FailureOf({}).found, 0u);
}

TEST(ReadC64Picture, RefusesBrokenP00AndSp2Files) {
    std::vector<std::uint8_t> p00 = BuildPictureFile(*RandomImage(5), ExportFormat::Koala, Container::P00, false).bytes;
    p00.resize(27);
    const ReadFailure header = FailureOf(p00);
    EXPECT_EQ(header.kind, ReadFailureKind::P00TooShort);
    EXPECT_EQ(header.container, Container::P00);

    std::vector<std::uint8_t> sp2 = BuildPictureFile(*RandomImage(6), ExportFormat::Sp2, Container::P00, false).bytes;
    sp2.pop_back();
    const ReadFailure packed = FailureOf(sp2);
    EXPECT_EQ(packed.kind, ReadFailureKind::Sp2PastEnd);
    EXPECT_EQ(packed.container, Container::P00);
    EXPECT_EQ(packed.c64Name, InfoOf(ExportFormat::Sp2).c64Name);
}

TEST(IsC64File, TellsC64FilesByContent) {
    const auto image = RandomImage(9);
    for (const ReadCase& c : AllCases())
        EXPECT_TRUE(IsC64File(BuildPictureFile(*image, c.format, c.container, false).bytes, nullptr)) << CaseName(c);
    EXPECT_FALSE(IsC64File(std::vector<std::uint8_t>{'B', 'M', 0, 0}, nullptr));
    EXPECT_FALSE(IsC64File(std::vector<std::uint8_t>{0x01, 0x08, 0, 0}, nullptr));  // BASIC, and no programs known
}

}  // namespace
}  // namespace pxm

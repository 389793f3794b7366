#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/export/containers.h"
#include "core/export/layouts.h"
#include "core/export/picture_file.h"
#include "core/disk/d64_image.h"
#include "core/export/sp2_packer.h"
#include "core/tape/tap_image.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

struct HeaderCase {
    ExportFormat format;
    std::string name;  // the 16-byte name field as stored
    std::uint8_t loadHigh;
};

std::string CaseName(const HeaderCase& c) { return test::FormatWord(c.format); }
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << CaseName(c); }

class FormatHeaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(FormatHeaders, P00HeaderAndLoadAddress) {
    const HeaderCase& c = GetParam();
    ASSERT_EQ(c.name.size(), 16u);
    const Bytes expected = Text(std::string("C64File\0", 8) + c.name + std::string(2, '\0'));
    const P00Header header = BuildP00Header(InfoOf(c.format).c64Name);
    EXPECT_EQ(Bytes(header.begin(), header.end()), expected);
    EXPECT_EQ(LoadAddressBytes(InfoOf(c.format).loadAddress), (LoadAddress{0x00, c.loadHigh}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FormatHeaders,
    ::testing::Values(HeaderCase{ExportFormat::Koala, std::string("\x81PIC PIXMOSAIC \0", 16), 0x60},
                      HeaderCase{ExportFormat::ArtStudio, "PIXMOSAIC   MPIC", 0x20},
                      HeaderCase{ExportFormat::Artist64, std::string("P-PIXMOSAIC\0\0\0\0\0", 16), 0x40},
                      HeaderCase{ExportFormat::BlazingPaddles, std::string("PI.PIXMOSAIC\0\0\0\0", 16), 0xA0},
                      HeaderCase{ExportFormat::Sp2, std::string("PIXMOSAIC (SP2)\0", 16), 0x55}),
    test::CaseNames{});

TEST(P00Header, KoalaBytesByOffset) {
    const P00Header h = BuildP00Header(InfoOf(ExportFormat::Koala).c64Name);
    EXPECT_EQ(h[7], 0x00);
    EXPECT_EQ(h[8], 0x81);
    EXPECT_EQ(std::string(h.begin() + 9, h.begin() + 23), "PIC PIXMOSAIC ");
    EXPECT_EQ(h[23], 0);
    EXPECT_EQ(h[24], 0);
    EXPECT_EQ(h[25], 0);
}

struct FileCase {
    ExportFormat format;
    Container container;
    std::size_t size;
};

std::unique_ptr<KoalaImage> SampleImage() {
    auto image = test::FilledImage(0);
    for (std::size_t i = 0; i < KoalaBackgroundOffset; ++i) (*image)[i] = static_cast<std::uint8_t>(i % 7 == 0 ? i : 0);
    (*image)[KoalaBackgroundOffset] = 6;
    return image;
}

// The data bytes a format hands to its container.
Bytes FormatData(const KoalaImage& image, ExportFormat format) {
    auto block = std::make_unique<PictureData>();
    switch (format) {
        case ExportFormat::Koala: return Bytes(image.begin(), image.end());
        case ExportFormat::ArtStudio:
        case ExportFormat::Artist64:
        case ExportFormat::BlazingPaddles: BuildLayout(image, InfoOf(format).layout, *block); break;
        case ExportFormat::Sp2: PackSp2(image, false, *block); break;
    }
    return Bytes(block->view().begin(), block->view().end());
}

std::string CaseName(const FileCase& c) { return test::FormatWord(c.format) + "_" + test::ContainerWord(c.container); }
void PrintTo(const FileCase& c, std::ostream* os) { *os << CaseName(c); }

class PictureFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(PictureFiles, ContainerAroundTheFormatData) {
    const FileCase& c = GetParam();
    const auto image = SampleImage();
    const PictureFile file = BuildPictureFile(*image, c.format, c.container, false);
    const Bytes data = FormatData(*image, c.format);
    EXPECT_FALSE(file.sp2Corrected);
    Bytes expected;
    const C64File c64File = test::FormatFile(c.format, data);
    if (c.container == Container::Tap) {
        WriteTapeImage(expected, c64File);
    } else if (c.container == Container::D64) {
        EXPECT_TRUE(WriteD64Image(expected, c64File).ok());
    } else {
        if (c.container == Container::P00) {
            const P00Header h = BuildP00Header(c64File.name);
            expected.assign(h.begin(), h.end());
        }
        expected.push_back(0x00);
        expected.push_back(static_cast<std::uint8_t>(InfoOf(c.format).loadAddress >> 8));
        expected.insert(expected.end(), data.begin(), data.end());
    }
    EXPECT_EQ(file.bytes.size(), c.size);
    EXPECT_TRUE(file.bytes == expected);
    Bytes appended;
    if (c.container == Container::P00 || c.container == Container::Prg) {
        AppendProgramFile(appended, c64File, c.container == Container::P00);
        EXPECT_TRUE(appended == expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureFiles,
    ::testing::Values(FileCase{ExportFormat::Koala, Container::Prg, 10003}, FileCase{ExportFormat::Koala, Container::P00, 10029},
                      FileCase{ExportFormat::Koala, Container::Tap, 441382},
                      FileCase{ExportFormat::ArtStudio, Container::Prg, 10018},
                      FileCase{ExportFormat::ArtStudio, Container::P00, 10044},
                      FileCase{ExportFormat::ArtStudio, Container::Tap, 20 + 41322 + 40 * 10016},
                      FileCase{ExportFormat::Artist64, Container::Prg, 10242},
                      FileCase{ExportFormat::Artist64, Container::P00, 10268},
                      FileCase{ExportFormat::BlazingPaddles, Container::Prg, 10242},
                      FileCase{ExportFormat::BlazingPaddles, Container::P00, 10268},
                      FileCase{ExportFormat::BlazingPaddles, Container::Tap, 20 + 41322 + 40 * 10240},
                      FileCase{ExportFormat::Koala, Container::D64, 174848},
                      FileCase{ExportFormat::Sp2, Container::D64, 174848}),
    test::CaseNames{});

TEST(PictureFile, ZeroPictureAsSp2) {
    const auto image = test::FilledImage(0);
    const PictureFile prg = BuildPictureFile(*image, ExportFormat::Sp2, Container::Prg, false);
    ASSERT_EQ(prg.bytes.size(), 162u);
    EXPECT_EQ(prg.bytes[0], 0x00);
    EXPECT_EQ(prg.bytes[1], 0x55);
    EXPECT_EQ(BuildPictureFile(*image, ExportFormat::Sp2, Container::P00, true).bytes.size(), 188u);
    EXPECT_EQ(BuildPictureFile(*image, ExportFormat::Sp2, Container::Tap, false).bytes.size(), TapeImageSize(160));
}

TEST(PictureFile, TellsWhenTheSp2CorrectionWasMade) {
    auto image = test::FilledImage(0);
    (*image)[9744] = 1;  // source 9960: the zero run before it would end there
    EXPECT_TRUE(BuildPictureFile(*image, ExportFormat::Sp2, Container::Prg, true).sp2Corrected);
    EXPECT_FALSE(BuildPictureFile(*image, ExportFormat::Sp2, Container::Prg, false).sp2Corrected);
    EXPECT_FALSE(BuildPictureFile(*image, ExportFormat::Koala, Container::Prg, true).sp2Corrected);
}

TEST(NonDiskContainerFromExtension, IgnoresCase) {
    EXPECT_EQ(NonDiskContainerFromExtension("p00"), Container::P00);
    EXPECT_EQ(NonDiskContainerFromExtension("P00"), Container::P00);
    EXPECT_EQ(NonDiskContainerFromExtension("PrG"), Container::Prg);
    EXPECT_EQ(NonDiskContainerFromExtension("prg"), Container::Prg);
    EXPECT_EQ(NonDiskContainerFromExtension("TAP"), Container::Tap);
    for (const char* other : {"p01", "", "bmp", "tapx", "pr", "p0"}) EXPECT_FALSE(NonDiskContainerFromExtension(other).has_value()) << other;
}

TEST(NonDiskContainerFromExtension, DiskImagesAreTheConvertersOnly) {
    EXPECT_FALSE(NonDiskContainerFromExtension("d64").has_value());
    EXPECT_FALSE(NonDiskContainerFromExtension("D64").has_value());
    EXPECT_EQ(AnyContainerFromExtension("d64"), Container::D64);
    EXPECT_EQ(AnyContainerFromExtension("D64"), Container::D64);
    EXPECT_EQ(AnyContainerFromExtension("PrG"), Container::Prg);
    EXPECT_EQ(AnyContainerFromExtension("p00"), Container::P00);
    EXPECT_EQ(AnyContainerFromExtension("Tap"), Container::Tap);
    for (const char* other : {"d65", "", "d6", "d644", "d71", "d81"})
        EXPECT_FALSE(AnyContainerFromExtension(other).has_value()) << other;
}

TEST(AppendContainer, DiskRefusalLeavesTheOutputAsItWas) {
    const Bytes data(664 * 254 - 1, 0);  // with the load address one byte more than a disk holds
    Bytes out = {9};
    const Status<TooLargeForDisk> disk = AppendContainer(out, Container::D64, {0x0801, "BIG", data});
    ASSERT_FALSE(disk.ok());
    EXPECT_EQ(disk.error().blocks, 665u);
    EXPECT_EQ(out, Bytes{9});
    EXPECT_TRUE(AppendContainer(out, Container::Prg, {0x0801, "BIG", data}).ok());
    EXPECT_EQ(out.size(), 1 + 2 + data.size());
}

// A name given replaces the format's in every container that stores one; the rest stays.
TEST(PictureFile, GivenNameInEveryContainer) {
    const auto image = SampleImage();
    const std::string name = "SUNSET 1";
    const auto build = [&](Container c, std::string_view n) { return BuildPictureFile(*image, ExportFormat::Koala, c, false, n); };

    const Bytes p00 = build(Container::P00, name).bytes;
    EXPECT_EQ(std::string(p00.begin() + 8, p00.begin() + 26), std::string("SUNSET 1\0\0\0\0\0\0\0\0\0\0", 18));
    const Bytes defaultP00 = build(Container::P00, {}).bytes;
    EXPECT_TRUE(std::equal(p00.begin() + 26, p00.end(), defaultP00.begin() + 26, defaultP00.end()));
    EXPECT_EQ(build(Container::Prg, name).bytes, build(Container::Prg, {}).bytes);

    const Bytes tap = build(Container::Tap, name).bytes;
    const Bytes defaultTap = build(Container::Tap, {}).bytes;
    ASSERT_EQ(tap.size(), defaultTap.size());
    EXPECT_NE(tap, defaultTap);
    Bytes expectedTap;
    const Bytes data(image->begin(), image->end());
    WriteTapeImage(expectedTap, C64File{0x6000, name, data});
    EXPECT_TRUE(tap == expectedTap);

    const Bytes disk = build(Container::D64, name).bytes;
    constexpr std::size_t DirectoryEntryName = 0x16600 + 5;
    EXPECT_EQ(std::string(disk.begin() + DirectoryEntryName, disk.begin() + DirectoryEntryName + 16),
              "SUNSET 1\xA0\xA0\xA0\xA0\xA0\xA0\xA0\xA0");
}

}  // namespace
}  // namespace pxm

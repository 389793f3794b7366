// C64 files as they are found away from the writers that made them: Koala files padded after the
// picture or without their load address, and Advanced Art Studio files whose two background
// bytes follow either writer's convention (border then background, or background then zero).
#include <gtest/gtest.h>

#include "core/c64read/c64_picture_reader.h"
#include "core/export/picture_file.h"
#include "tests/core/c64read_test_support.h"

namespace pxm {
namespace {

using test::RandomImage;

std::vector<std::uint8_t> KoalaPrg(const KoalaImage& image, Container container = Container::Prg) {
    return BuildPictureFile(image, ExportFormat::Koala, container, false).bytes;
}

TEST(PaddedKoala, ReadsThePictureAndCountsThePadding) {
    const auto image = RandomImage(11);
    for (const std::uint8_t value : {0x00, 0x1A, 0xFF}) {
        for (const Container container : {Container::Prg, Container::P00}) {
            std::vector<std::uint8_t> file = KoalaPrg(*image, container);
            file.resize(file.size() + 251, value);
            const Result<C64Picture, ReadFailure> read = ReadC64Picture(file, {});
            ASSERT_TRUE(read.ok()) << int{value};
            EXPECT_TRUE(read->image == *image);
            EXPECT_EQ(read->format, ExportFormat::Koala);
            ASSERT_TRUE(read->padding.has_value());
            EXPECT_EQ(read->padding->count, 251u);
            EXPECT_EQ(read->padding->value, value);
            EXPECT_FALSE(read->loadAddressAssumed);
        }
    }
    // A file read as it stands has no padding to tell of.
    EXPECT_FALSE(ReadC64Picture(KoalaPrg(*image), {})->padding.has_value());
}

TEST(PaddedKoala, RefusesBytesAfterThePictureThatAreNoPadding) {
    std::vector<std::uint8_t> file = KoalaPrg(*RandomImage(12));
    file.insert(file.end(), {0, 0, 0, 7, 0});
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(file, {});
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ReadFailureKind::WrongLength);
    EXPECT_EQ(read.error().found, 10006u);

    // Only Koala files are read padded.
    std::vector<std::uint8_t> artist = BuildPictureFile(*RandomImage(12), ExportFormat::Artist64, Container::Prg, false).bytes;
    artist.resize(artist.size() + 20, 0);
    EXPECT_EQ(ReadC64Picture(artist, {}).error().kind, ReadFailureKind::WrongLength);
}

TEST(BareKoala, ReadsThePictureBytesAloneUnderKoalasLoadAddress) {
    const auto image = RandomImage(13);
    const std::vector<std::uint8_t> bare(image->begin(), image->end());
    EXPECT_TRUE(IsC64File(bare, nullptr));
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(bare, {});
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->image == *image);
    EXPECT_EQ(read->format, ExportFormat::Koala);
    EXPECT_EQ(read->loadAddress, 0x6000);
    EXPECT_TRUE(read->loadAddressAssumed);
    EXPECT_FALSE(read->container.has_value());
}

TEST(BareKoala, OnlyWhenNothingElseClaimsTheFile) {
    // Bitmap bytes that look like Art Studio's load address: no 9999-byte Art Studio file, so Koala.
    auto image = RandomImage(14);
    (*image)[0] = 0x00;
    (*image)[1] = 0x20;
    const std::vector<std::uint8_t> bare(image->begin(), image->end());
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(bare, {});
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->loadAddressAssumed);

    // A PC picture's signature, or one byte more or less, is no bare Koala file.
    std::vector<std::uint8_t> png = bare;
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::copy(std::begin(signature), std::end(signature), png.begin());
    EXPECT_FALSE(IsC64File(png, nullptr));
    for (const std::size_t size : {10000u, 10002u}) {
        std::vector<std::uint8_t> other = bare;
        other.resize(size, 0);
        other[1] = 0x30;  // no picture loads at $3000
        EXPECT_FALSE(IsC64File(other, nullptr)) << size;
        EXPECT_FALSE(ReadC64Picture(other, {}).ok()) << size;
    }
}

// An Art Studio file whose cells draw exactly the colours given (with pairs 01, 10, 11), its two
// background bytes as given.
std::vector<std::uint8_t> ArtStudioFile(std::uint8_t drawn01, std::uint8_t drawn10, std::uint8_t drawn11,
                                        std::uint8_t first, std::uint8_t second) {
    auto image = std::make_unique<KoalaImage>();
    std::fill_n(image->begin() + KoalaBitmapOffset, BitmapBytes, std::uint8_t{0b00011011});  // every pair
    std::fill_n(image->begin() + KoalaScreenOffset, CellBytes, static_cast<std::uint8_t>(drawn01 << 4 | drawn10));
    std::fill_n(image->begin() + KoalaColourOffset, CellBytes, drawn11);
    std::vector<std::uint8_t> file = BuildPictureFile(*image, ExportFormat::ArtStudio, Container::Prg, false).bytes;
    const std::size_t at = 2 + InfoOf(ExportFormat::ArtStudio).layout.backgroundAt;
    file[at] = first;
    file[at + 1] = second;
    return file;
}

struct BackgroundCase {
    const char* writer;
    std::vector<std::uint8_t> file;
    std::uint8_t background;
    std::optional<std::size_t> taken;  // none: the bytes agree
};

TEST(ArtStudioBackground, TakesTheByteItsWriterUsed) {
    const std::vector<BackgroundCase> cases{
        {"converter and Windows program: both bytes", ArtStudioFile(1, 2, 3, 0xF6, 0xF6), 6, std::nullopt},
        {"paint program, border = background", ArtStudioFile(1, 2, 3, 0x06, 0x06), 6, std::nullopt},
        {"GIMP, black drawn", ArtStudioFile(0, 2, 3, 0x06, 0x00), 6, 0},
        {"GIMP, black not drawn", ArtStudioFile(1, 2, 3, 0x06, 0x00), 6, 0},
        {"paint program, border drawn", ArtStudioFile(5, 2, 3, 0xF5, 0xF9), 9, 1},
        {"paint program, neither drawn", ArtStudioFile(1, 2, 3, 0xF5, 0xF9), 9, 1},
        {"paint program, black background, border drawn", ArtStudioFile(1, 6, 3, 0x06, 0x00), 0, 1},
        {"paint program, border not drawn, background in a cell", ArtStudioFile(1, 9, 3, 0xF5, 0xF9), 5, 0},
    };
    for (const BackgroundCase& c : cases) {
        const Result<C64Picture, ReadFailure> read = ReadC64Picture(c.file, {});
        ASSERT_TRUE(read.ok()) << c.writer;
        EXPECT_EQ(read->image[KoalaBackgroundOffset], c.background) << c.writer;
        EXPECT_EQ(read->differingBackground.has_value(), c.taken.has_value()) << c.writer;
        if (c.taken && read->differingBackground) {
            EXPECT_EQ(read->differingBackground->taken, *c.taken) << c.writer;
            const std::size_t other = 2 + InfoOf(ExportFormat::ArtStudio).layout.backgroundAt + 1 - *c.taken;
            EXPECT_EQ(read->differingBackground->other, c.file[other] & 15) << c.writer;
        }
    }
}

TEST(ArtStudioBackground, OtherFormatsKeepTheBackgroundInTheSecondByte) {
    // Artist 64's first byte is the border colour, whatever the cells draw.
    auto image = RandomImage(15, 3);
    std::vector<std::uint8_t> file = BuildPictureFile(*image, ExportFormat::Artist64, Container::Prg, false).bytes;
    const std::size_t at = 2 + InfoOf(ExportFormat::Artist64).layout.backgroundAt;
    file[at] = 0x0E;
    file[at + 1] = 0x00;
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(file, {});
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->image[KoalaBackgroundOffset], 0);
    ASSERT_TRUE(read->differingBackground.has_value());
    EXPECT_EQ(read->differingBackground->taken, 1u);
    EXPECT_EQ(read->differingBackground->other, 14);
}

}  // namespace
}  // namespace pxm

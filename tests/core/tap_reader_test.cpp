// Tape images read back: as written, played a little fast or slow with pulses that wander, with
// one copy of a block damaged (the other is read) or both, cut short, of another version.
#include <gtest/gtest.h>

#include "core/c64read/c64_picture_reader.h"
#include "core/c64read/tap_reader.h"
#include "core/tape/tap_image.h"
#include "core/export/picture_file.h"
#include "tests/core/c64read_test_support.h"

namespace pxm {
namespace {

using Tape = std::vector<std::uint8_t>;

// Where the recording's parts start, in bytes of the image (each pulse one byte).
constexpr std::size_t HeaderPart = 20 + 27136 + 2 + 180 + 3860 + 79 + 2 + 180 + 3860 + 78 + 4;
constexpr std::size_t FirstDataByte = HeaderPart + 5376 + 2 + 180;
constexpr std::size_t KoalaBlock = 10001 + 1;
constexpr std::size_t SecondDataByte = FirstDataByte + 20 * KoalaBlock + 79 + 2 + 180;

class TapReader : public ::testing::Test {
protected:
    void SetUp() override {
        image_ = test::RandomImage(11);
        for (const std::size_t k : {100, 600}) image_->at(k) = 0x01;  // bits 0 and 1 differ
        tape_ = BuildPictureFile(*image_, ExportFormat::Koala, Container::Tap, false).bytes;
    }

    Result<C64Picture, ReadFailure> Read() const { return ReadC64Picture(tape_, {}); }

    // Bits 0 and 1 of data byte k of a copy change places: the check bit still fits, the checksum not.
    void SwapBits(std::size_t copyStart, std::size_t k) {
        const std::size_t at = copyStart + 20 * k;
        std::swap(tape_[at], tape_[at + 2]);
        std::swap(tape_[at + 1], tape_[at + 3]);
        ASSERT_NE(tape_[at], tape_[at + 2]) << "the test needs two different bits";
    }

    std::unique_ptr<KoalaImage> image_;
    Tape tape_;
};

TEST_F(TapReader, ReadsThePictureAndItsHeader) {
    const Result<std::vector<TapeFile>, ReadFailure> files = ReadTapImage(tape_);
    ASSERT_TRUE(files.ok());
    ASSERT_EQ(files->size(), 1u);
    EXPECT_EQ(files->front().loadAddress, 0x6000);
    EXPECT_EQ(files->front().c64Name, "\x81" "PIC PIXMOSAIC ");
    EXPECT_EQ(files->front().data.size(), 10001u);
}

// A loader first, the picture second: the first file that is a picture is read.
TEST_F(TapReader, ReadsThePictureAfterAnotherProgram) {
    const std::vector<std::uint8_t> loader{0x0B, 0x08, 0x0A, 0x00, 0x9E, 0x32, 0x30, 0x36, 0x31, 0x00, 0x00, 0x00};
    Tape both;
    WriteTapeImage(both, {0x0801, "LOADER", loader});
    both.insert(both.end(), tape_.begin() + 20, tape_.end());
    const std::uint32_t length = static_cast<std::uint32_t>(both.size() - 20);
    for (std::size_t k = 0; k < 4; ++k) both[16 + k] = static_cast<std::uint8_t>(length >> (8 * k));
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(both, {});
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->image == *image_);
    EXPECT_EQ(read->c64Name, "\x81" "PIC PIXMOSAIC ");

    const Result<C64Picture, ReadFailure> loaderOnly = ReadC64Picture(Tape(both.begin(), both.begin() + static_cast<std::ptrdiff_t>(TapeImageSize(loader.size()))), {});
    ASSERT_FALSE(loaderOnly.ok());
    EXPECT_EQ(loaderOnly.error().kind, ReadFailureKind::UnknownLoadAddress);
    EXPECT_EQ(loaderOnly.error().c64Name, "LOADER");
}

TEST_F(TapReader, ToleratesPulsesPlayedFastOrSlowAndWandering) {
    test::Random random(5);
    for (const int percent : {88, 112}) {
        Tape played = tape_;
        for (std::size_t k = 20; k < played.size(); ++k) {
            if (played[k] == 0) {
                k += 3;  // a pause record
                continue;
            }
            const int jitter = random.below(9) - 4;  // up to 4 percent either way
            played[k] = static_cast<std::uint8_t>(played[k] * (percent + jitter) / 100);
        }
        const Result<C64Picture, ReadFailure> read = ReadC64Picture(played, {});
        ASSERT_TRUE(read.ok()) << percent << " kind " << static_cast<int>(read.error().kind);
        EXPECT_TRUE(read->image == *image_);
    }
}

// Version 0 has no pause records: a zero byte stands alone for a long pulse.
TEST_F(TapReader, ReadsVersion0) {
    Tape old(tape_.begin(), tape_.begin() + 20);
    old[12] = 0;
    for (std::size_t k = 20; k < tape_.size(); ++k) {
        old.push_back(tape_[k]);
        if (tape_[k] == 0) k += 3;
    }
    const std::uint32_t length = static_cast<std::uint32_t>(old.size() - 20);
    for (std::size_t k = 0; k < 4; ++k) old[16 + k] = static_cast<std::uint8_t>(length >> (8 * k));
    const Result<C64Picture, ReadFailure> read = ReadC64Picture(old, {});
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->image == *image_);
}

TEST_F(TapReader, ReadsTheRepeatWhenTheFirstCopyIsDamaged) {
    tape_[FirstDataByte + 20 * 500 + 4] = 0x7F;  // no pulse of a byte
    SwapBits(FirstDataByte, 600);                // and a checksum that cannot agree
    const Result<C64Picture, ReadFailure> read = Read();
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read->image == *image_);
}

TEST_F(TapReader, RefusesABlockWhoseCopiesAreBothDamaged) {
    SwapBits(FirstDataByte, 100);
    SwapBits(SecondDataByte, 100);
    Result<C64Picture, ReadFailure> read = Read();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ReadFailureKind::TapBadBlock);
    EXPECT_EQ(read.error().block, TapeBlock::Data);
    EXPECT_EQ(read.error().tapeError, TapeError::Checksum);
    EXPECT_EQ(read.error().container, Container::Tap);

    tape_[FirstDataByte + 20 * 7 + 1] = tape_[FirstDataByte + 20 * 7];  // two equal pulses: no bit
    read = Read();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().tapeError, TapeError::Pulses);
    EXPECT_EQ(read.error().at, FirstDataByte + 20 * 7);
}

TEST_F(TapReader, RefusesADamagedHeader) {
    SwapBits(20 + 27136 + 2 + 180, 5);
    SwapBits(20 + 27136 + 2 + 180 + 3860 + 79 + 2 + 180, 5);
    const Result<C64Picture, ReadFailure> read = Read();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().block, TapeBlock::Header);
}

TEST_F(TapReader, RefusesATapeCutShort) {
    tape_[FirstDataByte + 3] = 0x7F;
    tape_.resize(SecondDataByte + 20 * 300);
    const Result<C64Picture, ReadFailure> cut = Read();
    ASSERT_FALSE(cut.ok());
    EXPECT_EQ(cut.error().kind, ReadFailureKind::TapBadBlock);
    EXPECT_EQ(cut.error().tapeError, TapeError::Pulses);  // the first copy's failure is told

    tape_.resize(HeaderPart);
    EXPECT_EQ(Read().error().kind, ReadFailureKind::TapNoData);
    tape_.resize(30);
    EXPECT_EQ(Read().error().kind, ReadFailureKind::TapNoHeader);
    tape_.resize(14);
    EXPECT_EQ(Read().error().kind, ReadFailureKind::TapVersion);
}

TEST_F(TapReader, RefusesOtherVersions) {
    tape_[12] = 2;
    const Result<C64Picture, ReadFailure> read = Read();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ReadFailureKind::TapVersion);
    EXPECT_EQ(read.error().found, 2u);
}

}  // namespace
}  // namespace pxm

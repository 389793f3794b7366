#include <gtest/gtest.h>

#include "core/c64read/sp2_unpacker.h"
#include "core/export/layouts.h"
#include "core/export/sp2_packer.h"
#include "tests/core/c64read_test_support.h"

namespace pxm {
namespace {

using test::RandomImage;

PictureData Layout(const KoalaImage& image) {
    PictureData layout;
    BuildLayout(image, InfoOf(ExportFormat::Sp2).layout, layout);
    return layout;
}

// Pictures of few values make runs, of many values literals; both switch settings move block
// boundaries, never the bytes.
TEST(Sp2Unpacker, UnpacksWhatThePackerPackedWithAndWithoutTheCorrection) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        const auto image = RandomImage(seed, seed % 3 == 0 ? 256 : static_cast<int>(1 + seed % 4));
        for (const bool correct : {false, true}) {
            PictureData stream;
            PackSp2(*image, correct, stream);
            PictureData unpacked;
            ASSERT_TRUE(UnpackSp2(stream.view(), unpacked).ok()) << seed;
            const PictureData expected = Layout(*image);
            ASSERT_EQ(unpacked.size, expected.size);
            EXPECT_TRUE(std::equal(expected.bytes.begin(), expected.bytes.begin() + static_cast<std::ptrdiff_t>(expected.size),
                                   unpacked.bytes.begin()))
                << "seed " << seed << " correct " << correct;
        }
    }
}

TEST(Sp2Unpacker, CorrectedStreamsAroundTheFlawPositionUnpack) {
    // Zero up to K[9743], then 1, 2 alternating: the correction shortens a run before 9960.
    const auto image = test::FilledImage(0);
    for (std::size_t k = 9744; k < KoalaBackgroundOffset; ++k) image->at(k) = static_cast<std::uint8_t>(1 + k % 2);
    PictureData stream;
    ASSERT_TRUE(PackSp2(*image, true, stream).corrected);
    PictureData unpacked;
    ASSERT_TRUE(UnpackSp2(stream.view(), unpacked).ok());
    EXPECT_EQ(unpacked.bytes[9960], Layout(*image).bytes[9960]);
}

TEST(Sp2Unpacker, RefusesABlockThatRunsPastTheStream) {
    const std::vector<std::uint8_t> literal{0x80, 0x00, 0x05, 0x01, 0x02};  // a literal of 6 with 2 bytes
    PictureData unpacked;
    const Status<ReadFailure> result = UnpackSp2(literal, unpacked);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, ReadFailureKind::Sp2PastEnd);
    EXPECT_EQ(result.error().at, 2u);

    const std::vector<std::uint8_t> run{0x80};  // a run without its byte
    EXPECT_EQ(UnpackSp2(run, unpacked).error().at, 0u);
}

TEST(Sp2Unpacker, RefusesAStreamOfTheWrongLength) {
    PictureData stream;
    PackSp2(*test::FilledImage(0), false, stream);  // 79 runs of 129 and one of 25 zeros
    PictureData unpacked;
    const auto shorter = stream.view().first(stream.size - 2);
    const Status<ReadFailure> few = UnpackSp2(shorter, unpacked);
    ASSERT_FALSE(few.ok());
    EXPECT_EQ(few.error().kind, ReadFailureKind::Sp2WrongLength);
    EXPECT_EQ(few.error().found, 79u * 129u);
    EXPECT_EQ(few.error().expected, Sp2SourceLength);

    std::vector<std::uint8_t> longer(stream.view().begin(), stream.view().end());
    longer.insert(longer.end(), {0xFF, 0x00});
    const Status<ReadFailure> many = UnpackSp2(longer, unpacked);
    ASSERT_FALSE(many.ok());
    EXPECT_EQ(many.error().found, Sp2SourceLength + 2);

    EXPECT_EQ(UnpackSp2({}, unpacked).error().found, 0u);
}

}  // namespace
}  // namespace pxm

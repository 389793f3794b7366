#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/export/sp2_packer.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The packed picture: bitmap, screen at 8192, colour at 9216, gaps zero.
Bytes Sp2Source(const KoalaImage& image) {
    Bytes source(Sp2SourceLength, 0);
    std::copy_n(image.begin(), 8000, source.begin());
    std::copy_n(image.begin() + 8000, 1000, source.begin() + 8192);
    std::copy_n(image.begin() + 9000, 1000, source.begin() + 9216);
    return source;
}

struct Block {
    std::size_t start, length;
    bool literal;
};

struct Unpacked {
    Bytes bytes;
    std::vector<Block> blocks;
};

// The C64 side's view of the stream: control 0..0x7F copies control + 1 bytes, 0x80..0xFF
// repeats the next byte (control ^ 0xFF) + 2 times.
Unpacked Unpack(std::span<const std::uint8_t> stream) {
    Unpacked out;
    for (std::size_t i = 0; i < stream.size();) {
        const std::uint8_t control = stream[i++];
        const bool literal = control < 0x80;
        const std::size_t n = literal ? control + 1u : (control ^ 0xFFu) + 2u;
        out.blocks.push_back({out.bytes.size(), n, literal});
        if (literal) {
            EXPECT_LE(i + n, stream.size()) << "literal runs past the stream";
            for (std::size_t j = 0; j < n && i < stream.size(); ++j) out.bytes.push_back(stream[i++]);
        } else {
            EXPECT_LT(i, stream.size()) << "run without its byte";
            out.bytes.insert(out.bytes.end(), n, i < stream.size() ? stream[i] : 0);
            ++i;
        }
    }
    return out;
}

struct Packed {
    Bytes stream;
    bool corrected;
};

Packed Pack(const KoalaImage& image, bool correct) {
    auto data = std::make_unique<PictureData>();
    const Sp2PackResult result = PackSp2(image, correct, *data);
    const auto view = data->view();
    return {Bytes(view.begin(), view.end()), result.corrected};
}

Bytes Repeat(std::initializer_list<std::uint8_t> unit, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), unit);
    return out;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(PackSp2, ZeroPicture) {
    const auto image = test::FilledImage(0);
    const Packed packed = Pack(*image, false);
    EXPECT_EQ(packed.stream, Concat({Repeat({0x80, 0x00}, 79), {0xE8, 0x00}}));
    EXPECT_FALSE(packed.corrected);
}

TEST(PackSp2, ShortLiteralThenRuns) {
    auto image = test::FilledImage(0);
    std::copy_n(Bytes{0x11, 0x22, 0x22, 0x33}.begin(), 4, image->begin());
    EXPECT_EQ(Pack(*image, false).stream, Concat({{0x03, 0x11, 0x22, 0x22, 0x33}, Repeat({0x80, 0x00}, 79), {0xEC, 0x00}}));
}

TEST(PackSp2, AlternatingBitmapGivesLiteralsOf127) {
    auto image = test::FilledImage(0);
    for (std::size_t i = 0; i < 8000; ++i) (*image)[i] = i % 2 ? 2 : 1;
    const Packed packed = Pack(*image, false);
    const Unpacked unpacked = Unpack(packed.stream);
    ASSERT_GE(unpacked.blocks.size(), 63u);
    for (std::size_t b = 0; b < 62; ++b) {
        SCOPED_TRACE("block " + std::to_string(b));
        EXPECT_TRUE(unpacked.blocks[b].literal);
        EXPECT_EQ(unpacked.blocks[b].length, 127u);
        EXPECT_EQ(packed.stream[b * 128], 0x7E);
    }
    // The rest of the bitmap stops before the zeros.
    EXPECT_EQ(unpacked.blocks[62].start, 62u * 127);
    EXPECT_EQ(unpacked.blocks[62].length, 8000u - 62 * 127);
    EXPECT_TRUE(unpacked.bytes == Sp2Source(*image));
}

// Zero up to K[9743] (source 9959), then 1, 2, 1, 2...
std::unique_ptr<KoalaImage> AlternatingFrom9960() {
    auto image = test::FilledImage(0);
    for (std::size_t k = 9744; k < 10000; ++k) (*image)[k] = k % 2 ? 2 : 1;
    return image;
}

TEST(PackSp2, CorrectionShortensTheRunBefore9960) {
    const auto image = AlternatingFrom9960();
    const Packed off = Pack(*image, false);
    const Packed on = Pack(*image, true);
    const Bytes head = Repeat({0x80, 0x00}, 77);
    EXPECT_EQ(Bytes(off.stream.begin(), off.stream.begin() + 158), Concat({head, {0xE6, 0x00, 0x7E, 0x01}}));
    EXPECT_EQ(Bytes(on.stream.begin(), on.stream.begin() + 159), Concat({head, {0xE7, 0x00, 0x7E, 0x00, 0x01}}));
    EXPECT_EQ(on.stream.size(), off.stream.size() + 1);
    EXPECT_FALSE(off.corrected);
    EXPECT_TRUE(on.corrected);
    EXPECT_TRUE(Unpack(on.stream).bytes == Sp2Source(*image));
}

TEST(PackSp2, CorrectionTurnsARunOf2IntoALiteral) {
    auto image = test::FilledImage(0);
    (*image)[9742] = 0x05;
    (*image)[9743] = 0x05;
    (*image)[9744] = 0x07;
    const Bytes head = Concat({Repeat({0x80, 0x00}, 77), {0xE8, 0x00}});
    const Bytes tail = {0x80, 0x00, 0x83, 0x00};
    const Packed off = Pack(*image, false);
    const Packed on = Pack(*image, true);
    EXPECT_EQ(off.stream, Concat({head, {0xFF, 0x05, 0x00, 0x07}, tail}));
    EXPECT_EQ(on.stream, Concat({head, {0x02, 0x05, 0x05, 0x07}, tail}));
    EXPECT_EQ(off.stream.size(), 164u);
    EXPECT_TRUE(on.corrected);
}

TEST(PackSp2, LookAheadSeesTheZeroPastTheEnd) {
    auto image = test::FilledImage(0);
    for (std::size_t k = 9000; k < 9997; ++k) (*image)[k] = k % 2 ? 3 : 1;
    image->at(9997) = 0x02;  // then K[9998], K[9999] = 0
    Unpacked unpacked = Unpack(Pack(*image, false).stream);
    ASSERT_GE(unpacked.blocks.size(), 2u);
    const Block last = unpacked.blocks.back();
    const Block beforeLast = unpacked.blocks[unpacked.blocks.size() - 2];
    EXPECT_FALSE(last.literal);
    EXPECT_EQ(last.length, 2u);
    EXPECT_TRUE(beforeLast.literal);
    EXPECT_EQ(beforeLast.start + beforeLast.length, Sp2SourceLength - 2);

    image->at(9997) = 0x05;
    image->at(9998) = 0x07;
    image->at(9999) = 0x07;
    const Packed packed = Pack(*image, false);
    unpacked = Unpack(packed.stream);
    EXPECT_TRUE(unpacked.blocks.back().literal);
    EXPECT_EQ(unpacked.blocks.back().start + unpacked.blocks.back().length, Sp2SourceLength);
    EXPECT_EQ(Bytes(packed.stream.end() - 3, packed.stream.end()), (Bytes{0x05, 0x07, 0x07}));
    EXPECT_TRUE(unpacked.bytes == Sp2Source(*image));
}

TEST(PackSp2, BackgroundIsNotPacked) {
    auto image = AlternatingFrom9960();
    const Bytes first = Pack(*image, false).stream;
    (*image)[KoalaBackgroundOffset] = 9;
    EXPECT_EQ(Pack(*image, false).stream, first);
}

// Pictures of runs of every length, noise and near-runs: the stream must unpack to the source,
// keep its blocks off 9960 when asked, and hold long literals only where the format allows.
std::unique_ptr<KoalaImage> MixedImage(std::uint32_t seed) {
    test::Random random(seed);
    auto image = test::FilledImage(0);
    enum Kind { Run, Noise, Pairs, Binary };
    for (std::size_t i = 0; i < KoalaBackgroundOffset;) {
        const auto kind = static_cast<Kind>(random.below(4));
        const std::size_t length = 1 + static_cast<std::size_t>(random.below(kind == Run ? 300 : 40));
        auto pick = [&] { return static_cast<std::uint8_t>(random.below(kind == Binary ? 2 : 256)); };
        const std::uint8_t value = pick();
        for (std::size_t j = 0; j < length && i < KoalaBackgroundOffset; ++j, ++i) {
            if (kind == Run) (*image)[i] = value;
            else if (kind == Pairs && j % 3 != 0) (*image)[i] = (*image)[i - 1];
            else (*image)[i] = pick();
        }
    }
    return image;
}

TEST(PackSp2, StreamUnpacksToTheSource) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        auto image = MixedImage(seed);
        // Every residue of the block boundaries around the flaw position gets a turn.
        if (seed % 3 == 0) std::fill(image->begin() + 9600 + seed, image->begin() + 9744, std::uint8_t{0});
        const Bytes source = Sp2Source(*image);
        bool plainStartsAtFlaw = false;
        for (const bool correct : {false, true}) {
            SCOPED_TRACE(correct ? "with the correction" : "without the correction");
            const Packed packed = Pack(*image, correct);
            const Unpacked unpacked = Unpack(packed.stream);
            ASSERT_TRUE(unpacked.bytes == source);
            bool startsAtFlaw = false;
            for (const Block& block : unpacked.blocks) {
                startsAtFlaw |= block.start == FixFlawPosition;
                // Only the correction may lengthen a literal in mid-source to 128.
                if (block.literal && block.start + block.length < Sp2SourceLength && !correct) {
                    EXPECT_LE(block.length, 127u) << "block at " << block.start;
                }
            }
            if (!correct) {
                plainStartsAtFlaw = startsAtFlaw;
                EXPECT_FALSE(packed.corrected);
            } else {
                EXPECT_FALSE(startsAtFlaw);
                // Both streams agree up to the flaw, so the correction is needed exactly when the
                // plain stream has a block there.
                EXPECT_EQ(packed.corrected, plainStartsAtFlaw);
                if (!packed.corrected) {
                    EXPECT_EQ(packed.stream, Pack(*image, false).stream);
                }
            }
        }
    }
}

}  // namespace
}  // namespace pxm

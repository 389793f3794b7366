#include "core/base/byte_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "core/base/byte_writer.h"
#include "core/base/result.h"

namespace pxm {
namespace {

constexpr std::array<std::uint8_t, 7> Data{0x01, 0x08, 0x34, 0x12, 0xEF, 0xBE, 0xAD};
constexpr std::size_t Huge = std::numeric_limits<std::size_t>::max();

TEST(ByteReader, WordsAtOffsetsAreLittleEndianAndBounded) {
    EXPECT_EQ(WordAt(Data, 0), 0x0801);
    EXPECT_EQ(LongAt(Data, 2), 0xBEEF1234u);
    EXPECT_EQ(BigLongAt(Data, 0), 0x01083412u);
    EXPECT_EQ(BigWordAt(Data, 5), 0xBEAD);
    EXPECT_FALSE(BigWordAt(Data, 6));
    EXPECT_EQ(ByteAt(Data, 6), 0xAD);
    EXPECT_FALSE(ByteAt(Data, 7));
    EXPECT_FALSE(WordAt(Data, 6));
    EXPECT_FALSE(LongAt(Data, 4));
    EXPECT_FALSE(WordAt(Data, Huge));
    EXPECT_FALSE(FieldOf(Data, {5, Huge}));
    ASSERT_TRUE(FieldOf(Data, {5, 2}));
    EXPECT_EQ((*FieldOf(Data, {5, 2}))[1], 0xAD);
    EXPECT_TRUE(FieldOf(Data, {7, 0}));
    EXPECT_FALSE(FieldOf(Data, {8, 0}));
}

TEST(ByteReader, ReadsInTurnAndStaysPutWhenAReadDoesNotFit) {
    ByteReader reader(Data);
    EXPECT_EQ(reader.Word(), 0x0801);
    EXPECT_EQ(reader.Byte(), 0x34);
    EXPECT_FALSE(reader.Take(Huge));
    EXPECT_EQ(reader.position(), 3u);
    ASSERT_TRUE(reader.Take(3));
    EXPECT_FALSE(reader.Long());
    EXPECT_FALSE(reader.Word());
    EXPECT_EQ(reader.position(), 6u);
    EXPECT_EQ(reader.remaining(), 1u);
    EXPECT_TRUE(reader.Skip(1));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.Byte());
    EXPECT_FALSE(reader.Seek(8));
    EXPECT_TRUE(reader.Seek(1));
    EXPECT_EQ(reader.Byte(), 0x08);
}

TEST(ByteWriter, WritesWhatTheReaderReadsBack) {
    std::vector<std::uint8_t> out;
    ByteWriter(out).Word(0xC000).Long(0x12345678).Byte(7).Text("PX").Fill(2, 0xA0);
    ASSERT_EQ(out.size(), 11u);
    ByteReader reader(out);
    EXPECT_EQ(reader.Word(), 0xC000);
    EXPECT_EQ(reader.Long(), 0x12345678u);
    EXPECT_EQ(reader.Byte(), 7);
    EXPECT_EQ(out[7], 'P');
    EXPECT_EQ(out[10], 0xA0);
    PutWordAt(out, 1, 0xBEEF);
    PutLongAt(out, 3, 0x01020304);
    PutByteAt(out, 0, 0x55);
    EXPECT_EQ(WordAt(out, 1), 0xBEEF);
    EXPECT_EQ(LongAt(out, 3), 0x01020304u);
    EXPECT_EQ(out[0], 0x55);
}

// 24-bit values: TAP pauses and the BAM's free-sector bits; nothing beyond the three bytes moves.
TEST(ByteWriter, ThreeByteValuesLowByteFirst) {
    std::vector<std::uint8_t> out;
    ByteWriter(out).Byte(0).Long24(0x4B2B20).Byte(0xEE);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x00, 0x20, 0x2B, 0x4B, 0xEE}));
    PutLong24At(out, 1, 0x1FFFFF);
    EXPECT_EQ(out, (std::vector<std::uint8_t>{0x00, 0xFF, 0xFF, 0x1F, 0xEE}));
    EXPECT_EQ(Long24At(out, 1), 0x1FFFFFu);
    EXPECT_FALSE(Long24At(out, 3));
    ByteReader reader(out);
    ASSERT_TRUE(reader.Skip(2));
    EXPECT_EQ(reader.Long24(), 0xEE1FFFu);
    EXPECT_FALSE(reader.Long24());
    EXPECT_EQ(reader.position(), 5u);
    PutLittleAt(out, 0, 0xABCDEF12, 1);
    EXPECT_EQ(out[0], 0x12);
    EXPECT_EQ(out[1], 0xFF);
}

enum class Why { TooShort, Bad };

Result<int, Why> Parse(int n) {
    if (n < 0) return Fail(Why::TooShort);
    return n * 2;
}

TEST(Result, HoldsTheValueOrTheFailure) {
    const auto good = Parse(21);
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(*good, 42);
    const auto bad = Parse(-1);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error(), Why::TooShort);
    const Status<std::string> failed = Fail(std::string("no"));
    EXPECT_EQ(failed.error(), "no");
    const Status<std::string> done = Done{};
    EXPECT_TRUE(done.ok());
}

}  // namespace
}  // namespace pxm

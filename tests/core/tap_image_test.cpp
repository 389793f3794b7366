#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

#include "core/tape/tap_image.h"
#include "tests/core/core_test_support.h"

namespace pxm {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t S = ShortPulse, M = MediumPulse, L = LongPulse;

static_assert(ShortPulse == 0x2F && MediumPulse == 0x41 && LongPulse == 0x55);

struct HeaderCase {
    ExportFormat format;
    std::size_t length;
    std::uint16_t start, end;
    std::string name;  // all 16 bytes
};

// A format and the length of its picture bytes: Sp2_3000Bytes.
std::string FormatAndLength(ExportFormat format, std::size_t length) {
    return test::FormatWord(format) + "_" + std::to_string(length) + "Bytes";
}

std::string CaseName(const HeaderCase& c) { return FormatAndLength(c.format, c.length); }
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << CaseName(c); }

class TapeHeaders : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(TapeHeaders, TypeAddressesNameFillerChecksum) {
    const HeaderCase& c = GetParam();
    ASSERT_EQ(c.name.size(), 16u);
    const Bytes data(c.length, 0);
    const TapeHeaderBlock block = BuildTapeHeaderBlock(test::FormatFile(c.format, data));
    Bytes expected = {0x03, static_cast<std::uint8_t>(c.start), static_cast<std::uint8_t>(c.start >> 8),
                      static_cast<std::uint8_t>(c.end), static_cast<std::uint8_t>(c.end >> 8)};
    expected.insert(expected.end(), c.name.begin(), c.name.end());
    expected.insert(expected.end(), 171, 0x20);
    std::uint8_t sum = 0;
    for (const std::uint8_t b : expected) sum ^= b;
    expected.push_back(sum);
    EXPECT_EQ(Bytes(block.begin(), block.end()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TapeHeaders,
    ::testing::Values(HeaderCase{ExportFormat::Koala, 10001, 0x6000, 0x8711, std::string("\x81PIC PIXMOSAIC \0", 16)},
                      HeaderCase{ExportFormat::ArtStudio, 10016, 0x2000, 0x4720, "PIXMOSAIC   MPIC"},
                      HeaderCase{ExportFormat::Artist64, 10240, 0x4000, 0x6800, std::string("P-PIXMOSAIC\0\0\0\0\0", 16)},
                      HeaderCase{ExportFormat::BlazingPaddles, 10240, 0xA000, 0xC800, std::string("PI.PIXMOSAIC\0\0\0\0", 16)},
                      HeaderCase{ExportFormat::Sp2, 3000, 0x5500, 0x60B8, std::string("PIXMOSAIC (SP2)\0", 16)},
                      HeaderCase{ExportFormat::Sp2, 1, 0x5500, 0x5501, std::string("PIXMOSAIC (SP2)\0", 16)}),
    test::CaseNames{});

TEST(TapeHeader, GivenNameZeroPadded) {
    const Bytes data(10001, 0);
    const TapeHeaderBlock block = BuildTapeHeaderBlock({0x6000, "SUNSET", data});
    EXPECT_EQ(std::string(block.begin() + 5, block.begin() + 21), std::string("SUNSET\0\0\0\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(block[21], 0x20);
    std::uint8_t sum = 0;
    for (std::size_t k = 0; k + 1 < block.size(); ++k) sum ^= block[k];
    EXPECT_EQ(block[192], sum);
}

// Reads a pulse train back the way a C64 would.
class PulseReader {
public:
    explicit PulseReader(const Bytes& tap) : tap_(tap) {}

    std::size_t position() const { return pos_; }

    std::size_t countRun(std::uint8_t pulse) {
        std::size_t n = 0;
        for (; pos_ < tap_.size() && tap_[pos_] == pulse; ++pos_) ++n;
        return n;
    }

    Bytes take(std::size_t n) {
        if (pos_ + n > tap_.size()) {
            ADD_FAILURE() << "tape ends at " << tap_.size();
            pos_ = tap_.size();
            return {};
        }
        pos_ += n;
        return Bytes(tap_.begin() + static_cast<std::ptrdiff_t>(pos_ - n), tap_.begin() + static_cast<std::ptrdiff_t>(pos_));
    }

    // One byte record; `last` tells whether the end-of-data marker followed it.
    std::uint8_t byte(bool& last) {
        int value = 0;
        for (int b = 0; b < 8; ++b) value |= bit() << b;
        const int ones = std::popcount(static_cast<unsigned>(value));
        EXPECT_EQ(bit(), 1 ^ (ones & 1)) << "check bit at " << pos_;
        const Bytes marker = take(2);
        EXPECT_TRUE(marker.size() == 2 && marker[0] == L && (marker[1] == M || marker[1] == S)) << "marker at " << pos_;
        last = marker.size() == 2 && marker[1] == S;
        return static_cast<std::uint8_t>(value);
    }

    void expectSync() { EXPECT_EQ(take(2), (Bytes{L, M})) << "sync before " << pos_; }

    void expectCountdown(std::uint8_t from) {
        for (int i = 0; i < 9; ++i) {
            bool last = true;
            EXPECT_EQ(byte(last), from - i);
            EXPECT_FALSE(last) << "countdown byte " << i;
        }
    }

    // A block whose end-of-data marker comes after its last byte only.
    Bytes block(std::size_t n) {
        Bytes out;
        for (std::size_t i = 0; i < n; ++i) {
            bool last = false;
            out.push_back(byte(last));
            EXPECT_EQ(last, i + 1 == n) << "marker of block byte " << i;
        }
        return out;
    }

private:
    int bit() {
        const Bytes pair = take(2);
        if (pair == Bytes{S, M}) return 0;
        if (pair == Bytes{M, S}) return 1;
        ADD_FAILURE() << "no bit at " << pos_;
        return 0;
    }

    const Bytes& tap_;
    std::size_t pos_ = 0;
};

void ExpectTapeImage(const Bytes& tap, const Bytes& data, ExportFormat format) {
    ASSERT_EQ(tap.size(), TapeImageSize(data.size()));
    PulseReader reader(tap);
    const std::size_t body = tap.size() - TapHeaderSize;
    const Bytes length = {static_cast<std::uint8_t>(body), static_cast<std::uint8_t>(body >> 8),
                          static_cast<std::uint8_t>(body >> 16), static_cast<std::uint8_t>(body >> 24)};
    const std::string magic = "C64-TAPE-RAW";
    Bytes header(magic.begin(), magic.end());
    header.insert(header.end(), {0x01, 0x00, 0x00, 0x00});
    header.insert(header.end(), length.begin(), length.end());
    EXPECT_EQ(reader.take(TapHeaderSize), header);

    const TapeHeaderBlock headerBlock = BuildTapeHeaderBlock(test::FormatFile(format, data));
    Bytes dataBlock = data;
    std::uint8_t sum = 0;
    for (const std::uint8_t b : data) sum ^= b;
    dataBlock.push_back(sum);

    struct Part {
        const char* name;
        std::size_t pilot;
        Bytes block;
        Bytes pause;
    };
    const Part parts[] = {{"header", 27136, Bytes(headerBlock.begin(), headerBlock.end()), {0x00, 0x04, 0xA6, 0x00}},
                          {"data", 5376, dataBlock, {0x00, 0x20, 0x2B, 0x4B}}};
    for (const Part& part : parts) {
        SCOPED_TRACE(part.name);
        EXPECT_EQ(reader.countRun(S), part.pilot) << "pilot before " << reader.position();
        reader.expectSync();
        reader.expectCountdown(0x89);
        EXPECT_TRUE(reader.block(part.block.size()) == part.block) << "first copy before " << reader.position();
        EXPECT_EQ(reader.countRun(S), 79u) << "gap before " << reader.position();
        reader.expectSync();
        reader.expectCountdown(0x09);
        EXPECT_TRUE(reader.block(part.block.size()) == part.block) << "repeat before " << reader.position();
        EXPECT_EQ(reader.countRun(S), 78u) << "trailer before " << reader.position();
        EXPECT_EQ(reader.take(4), part.pause);
    }
    EXPECT_EQ(reader.position(), tap.size());
}

Bytes RandomBytes(std::size_t n, std::uint32_t seed) {
    test::Random random(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(random.next());
    return out;
}

struct ImageCase {
    ExportFormat format;
    std::size_t length;
};

std::string CaseName(const ImageCase& c) { return FormatAndLength(c.format, c.length); }
void PrintTo(const ImageCase& c, std::ostream* os) { *os << CaseName(c); }

class TapeImages : public ::testing::TestWithParam<ImageCase> {};

TEST_P(TapeImages, DecodesBackToTheRecording) {
    const Bytes data = RandomBytes(GetParam().length, static_cast<std::uint32_t>(GetParam().length));
    Bytes tap;
    WriteTapeImage(tap, test::FormatFile(GetParam().format, data));
    ExpectTapeImage(tap, data, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(Images, TapeImages,
                         ::testing::Values(ImageCase{ExportFormat::Koala, 10001}, ImageCase{ExportFormat::ArtStudio, 10016},
                                           ImageCase{ExportFormat::Artist64, 10240},
                                           ImageCase{ExportFormat::BlazingPaddles, 10240}, ImageCase{ExportFormat::Sp2, 3000},
                                           ImageCase{ExportFormat::Sp2, 1}, ImageCase{ExportFormat::Sp2, MaxTapeDataLength}),
                         test::CaseNames{});

TEST(TapeImage, KoalaImageSizeAndLengthField) {
    static_assert(TapeImageSize(10001) == 441382);
    static_assert(TapeImageSize(1) == 41382);
    Bytes tap;
    const Bytes zeros(10001, 0);
    WriteTapeImage(tap, test::FormatFile(ExportFormat::Koala, zeros));
    ASSERT_EQ(tap.size(), 441382u);
    EXPECT_EQ(Bytes(tap.begin() + 16, tap.begin() + 20), (Bytes{0x12, 0xBC, 0x06, 0x00}));
}

// Where the first copy of the data block starts for a one-byte picture.
constexpr std::size_t DataBlockAt = 20 + 27136 + 2 + 180 + 3860 + 79 + 2 + 180 + 3860 + 78 + 4 + 5376 + 2 + 180;

Bytes Bits(std::initializer_list<int> bits) {
    Bytes out;
    for (const int b : bits) out.insert(out.end(), {b ? M : S, b ? S : M});
    return out;
}

TEST(TapeImage, ByteRecordsOfAOneBytePicture) {
    struct Case {
        std::uint8_t value;
        Bytes record;  // without the marker
    };
    const Case cases[] = {{0x00, Bits({0, 0, 0, 0, 0, 0, 0, 0, 1})},
                          {0xFF, Bits({1, 1, 1, 1, 1, 1, 1, 1, 1})},
                          {0x01, Bits({1, 0, 0, 0, 0, 0, 0, 0, 0})},
                          {0x82, Bits({0, 1, 0, 0, 0, 0, 0, 1, 1})}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.value});
        Bytes tap;
        const Bytes data{c.value};
        WriteTapeImage(tap, test::FormatFile(ExportFormat::Sp2, data));
        ASSERT_EQ(tap.size(), 41382u);
        Bytes expected = c.record;
        expected.insert(expected.end(), {L, M});  // the picture byte
        expected.insert(expected.end(), c.record.begin(), c.record.end());
        expected.insert(expected.end(), {L, S});  // its checksum: the same value
        EXPECT_EQ(Bytes(tap.begin() + DataBlockAt, tap.begin() + DataBlockAt + 40), expected);
    }
}

TEST(TapeImage, AppendsToWhatIsThere) {
    Bytes tap = {1, 2, 3};
    const Bytes data{7};
    WriteTapeImage(tap, test::FormatFile(ExportFormat::Sp2, data));
    ASSERT_EQ(tap.size(), 3 + TapeImageSize(1));
    EXPECT_EQ(Bytes(tap.begin(), tap.begin() + 3), (Bytes{1, 2, 3}));
    EXPECT_EQ(std::string(tap.begin() + 3, tap.begin() + 15), "C64-TAPE-RAW");
    constexpr std::size_t body = TapeImageSize(1) - TapHeaderSize;  // the image's own length, not the vector's
    EXPECT_EQ(Bytes(tap.begin() + 19, tap.begin() + 23), (Bytes{body & 0xFF, body >> 8, 0, 0}));
}

}  // namespace
}  // namespace pxm

// The size a JPEG's frame header declares, found by walking its marker segments.
#include "core/import/jpeg_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/import/declared_size.h"

namespace pxm {
namespace {

using Segment = std::vector<std::uint8_t>;

// A marker segment: FF, the marker, the length (its own two bytes included), the contents.
Segment MarkerSegment(std::uint8_t marker, const Segment& contents) {
    const std::size_t length = contents.size() + 2;
    Segment bytes(4 + contents.size());
    bytes[0] = 0xFF;
    bytes[1] = marker;
    bytes[2] = static_cast<std::uint8_t>(length >> 8);
    bytes[3] = static_cast<std::uint8_t>(length);
    std::copy(contents.begin(), contents.end(), bytes.begin() + 4);
    return bytes;
}

// Precision 8, height, width, one component.
Segment FrameHeader(std::uint8_t marker, int width, int height) {
    return MarkerSegment(marker,
                         {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                          static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0});
}

std::vector<std::uint8_t> Jpeg(const std::vector<Segment>& segments) {
    std::vector<std::uint8_t> bytes{0xFF, 0xD8};
    for (const Segment& s : segments) bytes.insert(bytes.end(), s.begin(), s.end());
    return bytes;
}

const Segment Jfif = MarkerSegment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Segment Tables = MarkerSegment(0xC4, std::vector<std::uint8_t>(30, 0));  // DHT shares the SOF range
const Segment Scan = MarkerSegment(0xDA, {1, 1, 0, 0, 63, 0});

TEST(JpegSize, FromTheFrameHeaderAfterAnyOtherSegments) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> file;
        int width, height;
    };
    Segment filled = FrameHeader(0xC0, 320, 200);
    filled.insert(filled.begin(), {0xFF, 0xFF});  // fill bytes before a marker
    const std::vector<Case> cases{
        {"baseline", Jpeg({Jfif, Tables, FrameHeader(0xC0, 384, 272), Scan}), 384, 272},
        {"progressive", Jpeg({Jfif, FrameHeader(0xC2, 0x1234, 0xFEDC), Scan}), 0x1234, 0xFEDC},
        {"extended, after a comment", Jpeg({MarkerSegment(0xFE, {'h', 'i'}), FrameHeader(0xC1, 1, 2)}), 1, 2},
        {"fill bytes", Jpeg({Jfif, filled}), 320, 200},
        {"height from a later DNL", Jpeg({FrameHeader(0xC0, 320, 0)}), 320, 0},
        // As libjpeg reads them: stray bytes and stuffed zeros between segments are passed over,
        // a length below 2 skips nothing.
        {"stray bytes", Jpeg({Jfif, {0x12, 0xFF, 0x00, 0x34}, FrameHeader(0xC0, 16, 8)}), 16, 8},
        {"length 1", Jpeg({{0xFF, 0xE1, 0x00, 0x01}, FrameHeader(0xC0, 24, 8)}), 24, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto size = JpegDeclaredSize(c.file);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, c.width);
        EXPECT_EQ(size->height, c.height);
        const auto declared = DeclaredSizeOf(PictureKind::Jpeg, c.file);
        ASSERT_TRUE(declared);
        EXPECT_EQ(declared->width, c.width);
        EXPECT_EQ(declared->height, c.height);
    }
}

TEST(JpegSize, NoneWithoutAFrameHeaderBeforeTheScan) {
    const auto whole = Jpeg({Jfif, FrameHeader(0xC0, 320, 200)});
    // Cut anywhere before the frame header's width has been read.
    for (std::size_t size = 0; size + 1 < whole.size() - 4; ++size) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(JpegDeclaredSize(std::span(whole).first(size)));
    }
    EXPECT_TRUE(JpegDeclaredSize(whole));
    EXPECT_FALSE(JpegDeclaredSize(Jpeg({Jfif, Scan, FrameHeader(0xC0, 320, 200)})));
    EXPECT_FALSE(JpegDeclaredSize(Jpeg({Jfif, {0xFF, 0xD9}, FrameHeader(0xC0, 320, 200)})));
    EXPECT_FALSE(JpegDeclaredSize(Jpeg({MarkerSegment(0xC0, {8, 0, 200})})));  // frame header too short
    EXPECT_FALSE(JpegDeclaredSize(FrameHeader(0xC0, 320, 200)));               // no start of image
}

}  // namespace
}  // namespace pxm

namespace pxm {
namespace {

// A TIFF header in the byte order given, its first IFD right behind it.
Segment ExifData(bool bigEndian) {
    Segment data{'E', 'x', 'i', 'f', 0, 0};
    const Segment tiff = bigEndian ? Segment{'M', 'M', 0, 42, 0, 0, 0, 8} : Segment{'I', 'I', 42, 0, 8, 0, 0, 0};
    data.insert(data.end(), tiff.begin(), tiff.end());
    data.insert(data.end(), {0, 0});  // an IFD of no entries
    return data;
}

TEST(JpegExif, TheFirstExifBlockBeforeTheScanAndItsTiffHeader) {
    const Segment xmp = MarkerSegment(0xE1, {'h', 't', 't', 'p', ':', '/', '/'});  // APP1 of another kind
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "Motorola" : "Intel");
        const auto file = Jpeg({Jfif, xmp, MarkerSegment(0xE1, ExifData(bigEndian)), FrameHeader(0xC0, 320, 200), Scan});
        const auto block = JpegExifBlock(file);
        ASSERT_TRUE(block);
        ASSERT_EQ(block->size(), 10u);
        EXPECT_EQ((*block)[0], bigEndian ? 'M' : 'I');
        const auto header = ExifHeaderOf(*block);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->bigEndian, bigEndian);
        EXPECT_EQ(header->firstIfd, 8u);
    }
    // After the scan, cut short, or of no EXIF: none.
    EXPECT_FALSE(JpegExifBlock(Jpeg({Jfif, Scan, MarkerSegment(0xE1, ExifData(false))})));
    auto cut = Jpeg({Jfif, MarkerSegment(0xE1, ExifData(false))});
    cut.resize(cut.size() - 3);
    EXPECT_FALSE(JpegExifBlock(cut));
    EXPECT_FALSE(JpegExifBlock(Jpeg({Jfif, xmp, FrameHeader(0xC0, 320, 200)})));
}

TEST(JpegExif, AHeaderThatIsNoTiffHeaderIsNone) {
    const auto header = [](Segment tiff) { return ExifHeaderOf(tiff); };
    EXPECT_FALSE(header({'I', 'M', 42, 0, 8, 0, 0, 0, 0, 0}));      // mixed byte order
    EXPECT_FALSE(header({'I', 'I', 43, 0, 8, 0, 0, 0, 0, 0}));      // not 42
    EXPECT_FALSE(header({'I', 'I', 42, 0, 4, 0, 0, 0, 0, 0}));      // the IFD inside the header
    EXPECT_FALSE(header({'I', 'I', 42, 0, 10, 0, 0, 0, 0, 0}));     // the IFD past the end
    EXPECT_FALSE(header({'M', 'M', 0, 42, 0, 0, 0}));               // cut short
    EXPECT_TRUE(header({'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace pxm

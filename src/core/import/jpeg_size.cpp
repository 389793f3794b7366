#include "core/import/jpeg_size.h"

#include <algorithm>
#include <array>

namespace pxm {

namespace {

constexpr std::uint8_t MarkerPrefix = 0xFF;
constexpr std::uint8_t StuffedZero = 0x00;
constexpr std::uint8_t StartOfImage = 0xD8;
constexpr std::uint8_t StartOfScan = 0xDA;
constexpr std::uint8_t EndOfImage = 0xD9;
constexpr std::uint8_t Temporary = 0x01;     // TEM: a marker without a segment
constexpr std::uint8_t FirstRestart = 0xD0;  // RST0-RST7: markers without a segment
constexpr std::uint8_t LastRestart = 0xD7;
constexpr std::uint8_t App1 = 0xE1;
// A segment: its length (2, counting itself), then its data.
constexpr std::size_t SegmentLengthBytes = 2;
// A frame header: segment length (2), sample precision (1), height (2), width (2).
constexpr std::size_t FrameHeightAt = 3;
constexpr std::size_t FrameWidthAt = 5;
constexpr std::size_t FrameHeaderBytes = 7;
// An EXIF segment's data: "Exif\0\0", then a TIFF header (byte order, 42, first IFD's offset).
constexpr std::array<std::uint8_t, 6> ExifSignature{'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint16_t TiffMagic = 42;
constexpr std::size_t TiffMagicAt = 2;
constexpr std::size_t FirstIfdAt = 4;
constexpr std::size_t TiffHeaderBytes = 8;

// SOF0-SOF15 except DHT (C4), JPG (C8) and DAC (CC), which share the range.
constexpr bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

constexpr bool HasNoSegment(std::uint8_t marker) {
    return marker == Temporary || (marker >= FirstRestart && marker <= LastRestart);
}

// The next marker, past fill bytes (FF) and, as libjpeg reads them, any stray bytes before it
// (an FF followed by 00 is data, not a marker).
std::optional<std::uint8_t> NextMarker(ByteReader& reader) {
    for (;;) {
        std::optional<std::uint8_t> byte = reader.Byte();
        while (byte && *byte != MarkerPrefix) byte = reader.Byte();
        while (byte == MarkerPrefix) byte = reader.Byte();
        if (byte != StuffedZero) return byte;
    }
}

struct Segment {
    std::uint8_t marker = 0;
    std::size_t at = 0;  // where its length stands in the file
    int length = 0;      // as declared, counting the length's own two bytes
};

// The first marker segment before the scan that `wanted` takes; none when the walk ends first.
template <class Wanted>
std::optional<Segment> FindSegment(Bytes file, Wanted wanted) {
    ByteReader reader(file);
    if (reader.Byte() != MarkerPrefix || reader.Byte() != StartOfImage) return std::nullopt;
    for (;;) {
        const std::optional<std::uint8_t> marker = NextMarker(reader);
        if (!marker || *marker == StartOfScan || *marker == EndOfImage) return std::nullopt;
        if (HasNoSegment(*marker)) continue;
        const std::size_t at = reader.position();
        const std::optional<int> length = BigWordAt(file, at);  // JPEG numbers are big-endian
        if (!length) return std::nullopt;
        if (const Segment segment{*marker, at, *length}; wanted(segment)) return segment;
        // A length below 2 skips nothing past itself, as in libjpeg.
        if (!reader.Skip(static_cast<std::size_t>(std::max(*length, 2)))) return std::nullopt;
    }
}

}  // namespace

std::optional<JpegFrameSize> JpegDeclaredSize(Bytes file) {
    const std::optional<Segment> frame = FindSegment(file, [](const Segment& s) { return IsStartOfFrame(s.marker); });
    if (!frame || frame->length < static_cast<int>(FrameHeaderBytes)) return std::nullopt;
    const std::optional<int> height = BigWordAt(file, frame->at + FrameHeightAt);
    const std::optional<int> width = BigWordAt(file, frame->at + FrameWidthAt);
    if (!height || !width) return std::nullopt;
    return JpegFrameSize{*width, *height};
}

std::optional<Bytes> JpegExifBlock(Bytes file) {
    // The segment's data, when the file holds all of it.
    const auto dataOf = [&](const Segment& s) -> std::optional<Bytes> {
        const std::size_t data = s.at + SegmentLengthBytes;
        if (s.length < static_cast<int>(SegmentLengthBytes)) return std::nullopt;
        const std::size_t bytes = static_cast<std::size_t>(s.length) - SegmentLengthBytes;
        if (!Holds(file, data, bytes)) return std::nullopt;
        return file.subspan(data, bytes);
    };
    const auto isExif = [&](const Segment& s) {
        const std::optional<Bytes> data = s.marker == App1 ? dataOf(s) : std::nullopt;
        return data && data->size() >= ExifSignature.size() &&
               std::ranges::equal(data->first(ExifSignature.size()), ExifSignature);
    };
    const std::optional<Segment> exif = FindSegment(file, isExif);
    if (!exif) return std::nullopt;
    return dataOf(*exif)->subspan(ExifSignature.size());
}

std::optional<ExifHeader> ExifHeaderOf(Bytes block) {
    if (block.size() < TiffHeaderBytes || block[0] != block[1] || (block[0] != 'I' && block[0] != 'M')) return std::nullopt;
    const bool bigEndian = block[0] == 'M';
    const auto magic = bigEndian ? BigWordAt(block, TiffMagicAt) : WordAt(block, TiffMagicAt);
    const auto first = bigEndian ? BigLongAt(block, FirstIfdAt) : LongAt(block, FirstIfdAt);
    if (magic != TiffMagic || !first || *first < TiffHeaderBytes || *first >= block.size()) return std::nullopt;
    return ExifHeader{bigEndian, *first};
}

}  // namespace pxm

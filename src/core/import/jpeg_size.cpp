#include "core/import/jpeg_size.h"

#include <algorithm>

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
// A frame header: segment length (2), sample precision (1), height (2), width (2).
constexpr std::size_t FrameHeightAt = 3;
constexpr std::size_t FrameWidthAt = 5;
constexpr std::size_t FrameHeaderBytes = 7;

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

}  // namespace

std::optional<JpegFrameSize> JpegDeclaredSize(Bytes file) {
    ByteReader reader(file);
    if (reader.Byte() != MarkerPrefix || reader.Byte() != StartOfImage) return std::nullopt;
    for (;;) {
        const std::optional<std::uint8_t> marker = NextMarker(reader);
        if (!marker || *marker == StartOfScan || *marker == EndOfImage) return std::nullopt;
        if (HasNoSegment(*marker)) continue;
        const std::size_t segment = reader.position();
        const std::optional<int> length = BigWordAt(file, segment);  // JPEG numbers are big-endian
        if (!length) return std::nullopt;
        if (IsStartOfFrame(*marker)) {
            if (*length < static_cast<int>(FrameHeaderBytes)) return std::nullopt;
            const std::optional<int> height = BigWordAt(file, segment + FrameHeightAt);
            const std::optional<int> width = BigWordAt(file, segment + FrameWidthAt);
            if (!height || !width) return std::nullopt;
            return JpegFrameSize{*width, *height};
        }
        // A length below 2 skips nothing past itself, as in libjpeg.
        if (!reader.Skip(static_cast<std::size_t>(std::max(*length, 2)))) return std::nullopt;
    }
}

}  // namespace pxm

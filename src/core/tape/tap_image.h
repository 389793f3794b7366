#pragma once
// Records a picture file as a Commodore tape recording in a TAP version 1 image: header and
// data block, each twice, with pilots, countdowns, check bits, checksums and pauses.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/format/c64_file.h"

namespace pxm {

inline constexpr std::uint8_t ShortPulse = 0x2F;
inline constexpr std::uint8_t MediumPulse = 0x41;
inline constexpr std::uint8_t LongPulse = 0x55;
inline constexpr std::size_t TapHeaderSize = 20;
inline constexpr std::size_t TapeHeaderBlockSize = 193;
inline constexpr std::size_t MaxTapeDataLength = 16383;

using TapeHeaderBlock = std::array<std::uint8_t, TapeHeaderBlockSize>;

// The header block: file type, start and end address, name, padding and checksum.
TapeHeaderBlock BuildTapeHeaderBlock(const C64File& file);

// Size of the whole image for data of this length.
constexpr std::size_t TapeImageSize(std::size_t length) { return TapHeaderSize + 41322 + 40 * length; }

// Appends the whole image (1 <= file.data.size() <= MaxTapeDataLength) to out.
void WriteTapeImage(std::vector<std::uint8_t>& out, const C64File& file);

}  // namespace pxm

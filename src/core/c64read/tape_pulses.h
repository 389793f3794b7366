#pragma once
// The pulses of a TAP image (version 0 or 1) in clock cycles, and the blocks a Commodore tape
// recording holds: each opened by a pilot tone and a sync marker, its bytes as pairs of pulses
// with a check bit and a marker behind each, a countdown before the block's own bytes.
// Pulses are told apart by thresholds taken from each block's pilot, so that recordings made
// a little fast or slow, or with pulses that vary, read as well as exact ones.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/base/byte_reader.h"
#include "core/base/result.h"
#include "core/c64read/read_failure.h"
#include "core/tape/tap_image.h"

namespace pxm {

bool IsTapImage(Bytes file);

struct TapePulse {
    std::uint32_t cycles = 0;
    std::uint32_t at = 0;  // its offset in the file
};

Result<std::vector<TapePulse>, ReadFailure> TapePulses(Bytes file);

struct TapeBlockCopy {
    bool repeat = false;              // the second copy (its countdown runs 0x09 to 0x01)
    std::vector<std::uint8_t> bytes;  // after the countdown, the checksum last
    std::optional<TapeError> error;   // the copy broke off here, or its check bits fail
    std::size_t errorAt = 0;          // the file offset of the pulses that did not fit
};

// Every block copy on the tape, in order.
std::vector<TapeBlockCopy> ReadTapeBlocks(std::span<const TapePulse> pulses);

}  // namespace pxm

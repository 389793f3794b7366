#pragma once
// The facts of a TAP image and a Commodore tape recording that its writer and its reader share:
// the file header, the countdowns before each copy of a block, the header block's fields.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/byte_reader.h"
#include "core/format/c64_file.h"

namespace pxm {

inline constexpr std::string_view TapSignature = "C64-TAPE-RAW";
inline constexpr std::size_t TapVersionOffset = 12;
inline constexpr std::size_t TapLengthOffset = 16;

// Each copy of a block begins with nine bytes counting down; the repeat's lack the high bit.
inline constexpr std::size_t CountdownLength = 9;
inline constexpr std::uint8_t FirstCountdown = 0x89;
inline constexpr std::uint8_t RepeatCountdown = 0x09;

// The header block's fields.
inline constexpr std::uint8_t RelocatableProgramType = 0x01;  // LOAD puts it at the start of BASIC
inline constexpr std::uint8_t ProgramFileType = 0x03;         // loaded at the address in the header
inline constexpr std::size_t FileTypeAt = 0;
inline constexpr std::size_t StartAddressAt = 1;
inline constexpr std::size_t EndAddressAt = 3;  // the first address after the file
inline constexpr Field TapeNameField{5, C64NameLength};

}  // namespace pxm

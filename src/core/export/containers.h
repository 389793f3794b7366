#pragma once
// The forms a C64 file takes on a PC: PRG (load address first) and PC64 P00 (a 26-byte header
// with the C64 file name, then the PRG form).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/format/c64_file.h"

namespace pxm {

inline constexpr std::size_t P00HeaderSize = 26;
using P00Header = std::array<std::uint8_t, P00HeaderSize>;
using LoadAddress = std::array<std::uint8_t, LoadAddressSize>;

P00Header BuildP00Header(std::string_view c64Name);
LoadAddress LoadAddressBytes(std::uint16_t address);

// The whole PRG file, or with withP00Header the whole P00 file.
void AppendProgramFile(std::vector<std::uint8_t>& out, const C64File& file, bool withP00Header);

}  // namespace pxm

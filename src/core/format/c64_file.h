#pragma once
// One C64 file as every container stores it: where it loads, the name it carries in a header or
// directory, and its bytes after the two-byte load address.
#include <cstdint>
#include <span>
#include <string_view>

namespace pxm {

inline constexpr std::size_t C64NameLength = 16;
inline constexpr std::size_t LoadAddressSize = 2;  // before the data, low byte first

struct C64File {
    std::uint16_t loadAddress = 0;
    std::string_view name;                // PETSCII bytes, at most C64NameLength
    std::span<const std::uint8_t> data;   // without the load address
};

}  // namespace pxm

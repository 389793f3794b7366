#pragma once
// The forms a picture file takes around its data bytes: PRG (load address first) and PC64 P00
// (a 26-byte header, then the PRG form).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/format/export_format.h"

namespace pxm {

inline constexpr std::size_t P00HeaderSize = 26;
using P00Header = std::array<std::uint8_t, P00HeaderSize>;
using LoadAddress = std::array<std::uint8_t, 2>;

P00Header BuildP00Header(ExportFormat format);
LoadAddress LoadAddressOf(ExportFormat format);

// The whole file for the P00 and PRG containers.
void AppendProgramFile(std::vector<std::uint8_t>& out, Container container, ExportFormat format,
                       std::span<const std::uint8_t> data);

// The Save dialog's default name: lower-cased (Windows ANSI), cut at the first ".bmp" and
// given the extension there, or the extension appended when there is no ".bmp".
void ReplaceBmpExtension(std::string& name, std::string_view extension);

}  // namespace pxm

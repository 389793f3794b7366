#pragma once
// The five picture formats and three containers, with what each format puts in front of its
// bytes: the C64 load address and the C64 file name of the PC64 header and the tape header.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pxm {

enum class ExportFormat : std::uint8_t { Koala = 0, ArtStudio = 1, Artist64 = 2, BlazingPaddles = 3, Sp2 = 4 };
enum class Container : std::uint8_t { P00 = 0, Prg = 1, Tap = 2 };

inline constexpr int ExportFormatCount = 5;

struct FormatInfo {
    std::uint16_t loadAddress;
    std::string_view c64Name;  // as it stands in the P00 and tape headers
    std::string_view key;      // the converter's name for the format
};

inline constexpr std::array<FormatInfo, ExportFormatCount> Formats = {{
    {0x6000, "\x81" "PIC PIXMOSAIC ", "koala"},
    {0x2000, "PIXMOSAIC   MPIC", "artstudio"},
    {0x4000, "P-PIXMOSAIC", "artist64"},
    {0xA000, "PI.PIXMOSAIC", "blazing"},
    {0x5500, "PIXMOSAIC (SP2)", "sp2"},
}};

constexpr const FormatInfo& InfoOf(ExportFormat format) { return Formats[static_cast<std::size_t>(format)]; }

// "p00", "prg" or "tap" in any case; anything else gives no container.
std::optional<Container> ContainerFromExtension(std::string_view extension);

}  // namespace pxm

#pragma once
// The five picture formats and four containers. Each format is one row of `Formats`: every
// fact about it that the program, the converter, the containers and the tests need.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace pxm {

enum class ExportFormat : std::uint8_t { Koala = 0, ArtStudio = 1, Artist64 = 2, BlazingPaddles = 3, Sp2 = 4 };
// The Windows program saves the first ProgramContainerCount; D64 is the converter's own.
enum class Container : std::uint8_t { P00 = 0, Prg = 1, Tap = 2, D64 = 3 };

inline constexpr int ExportFormatCount = 5;
inline constexpr int ContainerCount = 4;
inline constexpr int ProgramContainerCount = 3;

// Where the Koala picture's parts stand in a format's picture bytes (after the load address).
// Bytes that no part fills are zero.
struct PictureLayout {
    std::size_t size;            // the whole block
    std::size_t bitmapAt;        // 8000 bytes
    std::size_t screenAt;        // 1000 bytes: colours 01 and 10 of each cell
    std::size_t colourAt;        // 1000 bytes: colour 11 of each cell (colour memory)
    std::size_t backgroundAt;    // the background colour, backgroundCount times
    std::size_t backgroundCount;  // 0: the format keeps no background
    std::uint8_t backgroundHigh;  // the high nibble stored with the background colour
};

// How the picture bytes are made from the layout.
enum class Encoding : std::uint8_t {
    Plain,      // the layout as it stands
    Sp2Packed,  // the layout run-length packed into a stream of varying length
};

struct FormatInfo {
    std::string_view key;   // the converter's name for the format
    std::string_view name;  // for people
    std::uint16_t loadAddress;
    std::string_view c64Name;  // as it stands in the P00 and tape headers (PETSCII)
    PictureLayout layout;
    Encoding encoding;
};

inline constexpr std::size_t BitmapBytes = 8000;
inline constexpr std::size_t CellBytes = 1000;

inline constexpr std::array<FormatInfo, ExportFormatCount> Formats = {{
    {"koala", "Koala-Painter", 0x6000, "\x81" "PIC PIXMOSAIC ",
     {.size = 10001, .bitmapAt = 0, .screenAt = 8000, .colourAt = 9000, .backgroundAt = 10000, .backgroundCount = 1,
      .backgroundHigh = 0x00},
     Encoding::Plain},
    {"artstudio", "Advanced Art Studio", 0x2000, "PIXMOSAIC   MPIC",
     {.size = 10016, .bitmapAt = 0, .screenAt = 8000, .colourAt = 9016, .backgroundAt = 9000, .backgroundCount = 2,
      .backgroundHigh = 0xF0},
     Encoding::Plain},
    {"artist64", "Artist 64", 0x4000, "P-PIXMOSAIC",
     {.size = 10240, .bitmapAt = 0, .screenAt = 8192, .colourAt = 9216, .backgroundAt = 10238, .backgroundCount = 2,
      .backgroundHigh = 0x00},
     Encoding::Plain},
    {"blazing", "Blazing Paddles", 0xA000, "PI.PIXMOSAIC",
     {.size = 10240, .bitmapAt = 0, .screenAt = 8192, .colourAt = 9216, .backgroundAt = 8063, .backgroundCount = 2,
      .backgroundHigh = 0xF0},
     Encoding::Plain},
    // The layout is what the C64 unpacker rebuilds; the file holds the packed stream.
    {"sp2", "SP2 run-length packed", 0x5500, "PIXMOSAIC (SP2)",
     {.size = 10216, .bitmapAt = 0, .screenAt = 8192, .colourAt = 9216, .backgroundAt = 0, .backgroundCount = 0,
      .backgroundHigh = 0x00},
     Encoding::Sp2Packed},
}};

// Each container's extension, in Container order.
inline constexpr std::array<std::string_view, ContainerCount> ContainerExtensions{"p00", "prg", "tap", "d64"};

constexpr const FormatInfo& InfoOf(ExportFormat format) { return Formats[static_cast<std::size_t>(format)]; }

// The format whose key this is.
std::optional<ExportFormat> FormatFromKey(std::string_view key);

// The container an extension names, in any case: "p00", "prg" or "tap" (every container but
// the disk image), or with the disk image "d64" too. Anything else gives none.
std::optional<Container> NonDiskContainerFromExtension(std::string_view extension);
std::optional<Container> AnyContainerFromExtension(std::string_view extension);

}  // namespace pxm

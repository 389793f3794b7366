#pragma once
// A showing program of the converter's layout with a made-up displayer, for the C64 reader's
// fuzzer and its seeds (the real displayer is assembled for the converter only): a head of
// fixed bytes ending in the parameter block, then the picture data.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/c64read/showing_program.h"
#include "core/export/sp2_packer.h"
#include "core/format/export_format.h"

namespace pxm::fuzz {

inline constexpr std::uint16_t SyntheticLoadAddress = 0x0801;
inline constexpr std::size_t SyntheticCodeSize = 40;
inline constexpr std::size_t SyntheticParameters = SyntheticCodeSize;  // 5 words and two colour bytes
inline constexpr std::size_t SyntheticHeadSize = SyntheticParameters + 12;
inline constexpr std::uint16_t SyntheticUnpackTo = 0xA000;

inline const std::array<std::uint8_t, SyntheticHeadSize>& SyntheticHead() {
    static const std::array<std::uint8_t, SyntheticHeadSize> head = [] {
        std::array<std::uint8_t, SyntheticHeadSize> bytes{};
        for (std::size_t k = 0; k < SyntheticCodeSize; ++k) bytes[k] = static_cast<std::uint8_t>(0x20 + 7 * k);
        return bytes;
    }();
    return head;
}

inline ShowingProgramLayout SyntheticLayout() {
    return {.loadAddress = SyntheticLoadAddress,
            .head = SyntheticHead(),
            .parametersAt = SyntheticParameters,
            .streamAt = SyntheticParameters,
            .streamEndAt = SyntheticParameters + 2,
            .bitmapAt = SyntheticParameters + 4,
            .screenAt = SyntheticParameters + 6,
            .colourAt = SyntheticParameters + 8,
            .backgroundAt = SyntheticParameters + 10,
            .borderAt = SyntheticParameters + 11,
            .unpackTo = SyntheticUnpackTo};
}

// The program's bytes after its load address.
inline std::vector<std::uint8_t> SyntheticProgram(ExportFormat format, std::span<const std::uint8_t> data,
                                                  std::uint8_t background) {
    const ShowingProgramLayout layout = SyntheticLayout();
    std::vector<std::uint8_t> program(layout.head.begin(), layout.head.end());
    program.insert(program.end(), data.begin(), data.end());
    const auto put = [&](std::size_t at, std::size_t value) {
        program[at] = static_cast<std::uint8_t>(value & 0xFF);
        program[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    };
    const std::size_t dataAddress = SyntheticLoadAddress + SyntheticHeadSize;
    const PictureLayout& picture = InfoOf(format).layout;
    std::size_t base = dataAddress;
    if (InfoOf(format).encoding == Encoding::Sp2Packed) {
        base = SyntheticUnpackTo;
        put(layout.streamAt, dataAddress);
        put(layout.streamEndAt, dataAddress + data.size());
    }
    put(layout.bitmapAt, base + picture.bitmapAt);
    put(layout.screenAt, base + picture.screenAt);
    put(layout.colourAt, base + picture.colourAt);
    program[layout.backgroundAt] = background;
    program[layout.borderAt] = background;
    return program;
}

}  // namespace pxm::fuzz

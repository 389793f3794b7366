#pragma once
// A picture file's data bytes (without load address) in a fixed buffer: the layouts and the
// SP2 stream are built here, and the tape writer takes at most this many.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pxm {

inline constexpr std::size_t PictureDataCapacity = 16383;

struct PictureData {
    std::array<std::uint8_t, PictureDataCapacity> bytes;
    std::size_t size = 0;

    std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
};

}  // namespace pxm

#pragma once
// Building binary data: bytes and little-endian words appended to a buffer, or put at a named
// offset of a buffer that already holds it.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/base/byte_reader.h"

namespace pxm {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    std::size_t size() const { return out_.size(); }

    ByteWriter& Byte(std::uint8_t value) {
        out_.push_back(value);
        return *this;
    }
    ByteWriter& Word(std::uint16_t value) { return Little(value, 2); }
    // 24 bits, as TAP pauses hold them.
    ByteWriter& Long24(std::uint32_t value) { return Little(value, 3); }
    ByteWriter& Long(std::uint32_t value) { return Little(value, 4); }
    ByteWriter& Append(Bytes bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    ByteWriter& Text(std::string_view text) {
        out_.insert(out_.end(), text.begin(), text.end());
        return *this;
    }
    ByteWriter& Fill(std::size_t count, std::uint8_t value) {
        out_.insert(out_.end(), count, value);
        return *this;
    }

private:
    ByteWriter& Little(std::uint32_t value, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }

    std::vector<std::uint8_t>& out_;
};

// Into a fixed buffer at an offset the layout names; the field must lie inside the buffer.
inline void PutByteAt(std::span<std::uint8_t> out, std::size_t offset, std::uint8_t value) {
    assert(offset < out.size());
    out[offset] = value;
}
// The low `count` bytes of value, least significant first.
inline void PutLittleAt(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value, std::size_t count) {
    assert(Holds(out, offset, count));
    for (std::size_t i = 0; i < count; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
inline void PutWordAt(std::span<std::uint8_t> out, std::size_t offset, std::uint16_t value) {
    PutLittleAt(out, offset, value, 2);
}
// 24 bits, as the 1541's BAM holds a track's free-sector bits.
inline void PutLong24At(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value) {
    PutLittleAt(out, offset, value, 3);
}
inline void PutLongAt(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value) {
    PutLittleAt(out, offset, value, 4);
}

}  // namespace pxm

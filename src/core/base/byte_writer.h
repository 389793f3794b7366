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
    ByteWriter& Word(std::uint16_t value) {
        out_.push_back(static_cast<std::uint8_t>(value));
        out_.push_back(static_cast<std::uint8_t>(value >> 8));
        return *this;
    }
    ByteWriter& Long(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<std::uint8_t>(value >> shift));
        return *this;
    }
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
    std::vector<std::uint8_t>& out_;
};

// Into a fixed buffer at an offset the layout names; the field must lie inside the buffer.
inline void PutByteAt(std::span<std::uint8_t> out, std::size_t offset, std::uint8_t value) {
    assert(offset < out.size());
    out[offset] = value;
}
inline void PutWordAt(std::span<std::uint8_t> out, std::size_t offset, std::uint16_t value) {
    assert(offset + 2 <= out.size());
    out[offset] = static_cast<std::uint8_t>(value);
    out[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}
inline void PutLongAt(std::span<std::uint8_t> out, std::size_t offset, std::uint32_t value) {
    assert(offset + 4 <= out.size());
    for (std::size_t i = 0; i < 4; ++i) out[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace pxm

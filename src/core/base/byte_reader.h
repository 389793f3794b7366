#pragma once
// Bounded reading of binary data: little-endian words at named offsets, every read checked
// against the end. A read past the end gives nothing (std::nullopt or an empty span), never a
// byte from beyond the data.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace pxm {

using Bytes = std::span<const std::uint8_t>;

// A field of a binary layout: where it starts and how many bytes it has.
struct Field {
    std::size_t offset = 0;
    std::size_t size = 0;
    constexpr std::size_t end() const { return offset + size; }
};

// True when the data holds at least count bytes from offset on (no overflow for any values).
constexpr bool Holds(Bytes data, std::size_t offset, std::size_t count) {
    return offset <= data.size() && count <= data.size() - offset;
}

constexpr std::optional<std::uint8_t> ByteAt(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 1)) return std::nullopt;
    return data[offset];
}

constexpr std::optional<std::uint16_t> WordAt(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data[offset] | (data[offset + 1] << 8));
}

// Three bytes, low byte first, as a TAP image's long pulses and the BAM's track bitmaps are kept.
constexpr std::optional<std::uint32_t> Long24At(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 3)) return std::nullopt;
    return static_cast<std::uint32_t>(data[offset]) | (static_cast<std::uint32_t>(data[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 16);
}

constexpr std::optional<std::uint32_t> LongAt(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(data[offset]) | (static_cast<std::uint32_t>(data[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 16) | (static_cast<std::uint32_t>(data[offset + 3]) << 24);
}

// Big-endian words, as PNG and JPEG headers hold them.
constexpr std::optional<std::uint16_t> BigWordAt(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data[offset] << 8 | data[offset + 1]);
}

constexpr std::optional<std::uint32_t> BigLongAt(Bytes data, std::size_t offset) {
    if (!Holds(data, offset, 4)) return std::nullopt;
    return (static_cast<std::uint32_t>(data[offset]) << 24) | (static_cast<std::uint32_t>(data[offset + 1]) << 16) |
           (static_cast<std::uint32_t>(data[offset + 2]) << 8) | static_cast<std::uint32_t>(data[offset + 3]);
}

// The bytes of a field, or nothing when the data ends before the field does.
constexpr std::optional<Bytes> FieldOf(Bytes data, Field field) {
    if (!Holds(data, field.offset, field.size)) return std::nullopt;
    return data.subspan(field.offset, field.size);
}

// Whether the data holds the text's characters from offset on (a signature, a brand).
constexpr bool HoldsText(Bytes data, std::size_t offset, std::string_view text) {
    const std::optional<Bytes> field = FieldOf(data, {offset, text.size()});
    if (!field) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((*field)[i] != static_cast<std::uint8_t>(text[i])) return false;
    }
    return true;
}

// Reads fields one after another from a position that moves on; a read that does not fit
// leaves the position where it was.
class ByteReader {
public:
    constexpr explicit ByteReader(Bytes data) : data_(data) {}

    constexpr std::size_t position() const { return position_; }
    constexpr std::size_t remaining() const { return data_.size() - position_; }
    constexpr bool AtEnd() const { return position_ == data_.size(); }
    constexpr Bytes data() const { return data_; }

    constexpr std::optional<std::uint8_t> Byte() { return Advance(ByteAt(data_, position_), 1); }
    constexpr std::optional<std::uint16_t> Word() { return Advance(WordAt(data_, position_), 2); }
    constexpr std::optional<std::uint32_t> Long24() { return Advance(Long24At(data_, position_), 3); }
    constexpr std::optional<std::uint32_t> Long() { return Advance(LongAt(data_, position_), 4); }
    constexpr std::optional<Bytes> Take(std::size_t count) {
        return Advance(FieldOf(data_, {position_, count}), count);
    }
    constexpr bool Skip(std::size_t count) { return Take(count).has_value(); }
    constexpr bool Seek(std::size_t position) {
        if (position > data_.size()) return false;
        position_ = position;
        return true;
    }

private:
    template <class T>
    constexpr std::optional<T> Advance(std::optional<T> value, std::size_t count) {
        if (value) position_ += count;
        return value;
    }

    Bytes data_;
    std::size_t position_ = 0;
};

}  // namespace pxm

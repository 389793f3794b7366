#include "core/c64read/tape_pulses.h"

#include <algorithm>
#include <string_view>

#include "core/tape/tape_layout.h"

namespace pxm {

namespace {

constexpr std::uint32_t CyclesPerUnit = 8;     // a pulse byte n is n x 8 cycles
constexpr std::uint32_t OverflowCycles = 256 * CyclesPerUnit;  // version 0's zero byte: a pause

// A pilot is this many pulses that differ from their mean by at most a quarter of it.
constexpr std::size_t MinPilotPulses = 16;
// Pulse lengths relative to a short one are 1, 1.38 (medium) and 1.81 (long); the thresholds
// lie halfway between, in hundredths of the pilot's mean. Anything beyond the last is no pulse
// of a byte (a pause, noise).
constexpr std::uint32_t ShortMediumLimit = 119;
constexpr std::uint32_t MediumLongLimit = 160;
constexpr std::uint32_t LongLimit = 240;

constexpr int BitsPerByte = 8;

enum class Pulse { Short, Medium, Long, Other };

struct Thresholds {
    std::uint32_t mean = 0;
    Pulse Classify(std::uint32_t cycles) const {
        const std::uint64_t scaled = std::uint64_t{cycles} * 100;
        if (scaled < std::uint64_t{mean} * ShortMediumLimit) return Pulse::Short;
        if (scaled < std::uint64_t{mean} * MediumLongLimit) return Pulse::Medium;
        if (scaled < std::uint64_t{mean} * LongLimit) return Pulse::Long;
        return Pulse::Other;
    }
};

bool Near(std::uint32_t cycles, std::uint64_t sum, std::size_t count) {
    const std::uint64_t scaled = std::uint64_t{cycles} * count;
    const std::uint64_t diff = scaled > sum ? scaled - sum : sum - scaled;
    return 4 * diff <= sum;
}

class BlockDecoder {
public:
    BlockDecoder(std::span<const TapePulse> pulses, Thresholds thresholds, std::size_t at)
        : pulses_(pulses), thresholds_(thresholds), at_(at) {}

    std::size_t position() const { return at_; }

    // Bytes until the end-of-data marker, or until a pulse that does not fit.
    TapeBlockCopy Decode() {
        TapeBlockCopy copy;
        for (;;) {
            const std::size_t byteAt = at_;
            markAt_ = at_;
            int ones = 0;
            std::uint8_t value = 0;
            for (int b = 0; b <= BitsPerByte; ++b) {
                const std::optional<bool> bit = Bit();
                if (!bit) return Broken(copy, TapeError::Pulses);
                ones += *bit;
                if (b < BitsPerByte && *bit) value = static_cast<std::uint8_t>(value | (1u << b));
            }
            if (ones % 2 == 0) {
                markAt_ = byteAt;
                return Broken(copy, TapeError::Parity);
            }
            copy.bytes.push_back(value);
            markAt_ = at_;
            const std::optional<Pulse> first = Next();
            const std::optional<Pulse> second = Next();
            if (first != Pulse::Long || (second != Pulse::Medium && second != Pulse::Short))
                return Broken(copy, TapeError::Pulses);
            if (second == Pulse::Short) return copy;
        }
    }

private:
    std::optional<Pulse> Next() {
        if (at_ >= pulses_.size()) return std::nullopt;
        return thresholds_.Classify(pulses_[at_++].cycles);
    }
    // Short then medium is a 0, medium then short a 1.
    std::optional<bool> Bit() {
        markAt_ = at_;
        const std::optional<Pulse> first = Next();
        const std::optional<Pulse> second = Next();
        if (first == Pulse::Short && second == Pulse::Medium) return false;
        if (first == Pulse::Medium && second == Pulse::Short) return true;
        return std::nullopt;
    }
    TapeBlockCopy& Broken(TapeBlockCopy& copy, TapeError error) {
        copy.error = at_ >= pulses_.size() ? TapeError::Cut : error;
        copy.errorAt = markAt_ < pulses_.size() ? pulses_[markAt_].at : pulses_.empty() ? 0 : pulses_.back().at + 1;
        return copy;
    }

    std::span<const TapePulse> pulses_;
    Thresholds thresholds_;
    std::size_t at_;
    std::size_t markAt_ = 0;  // the first pulse of the bit, marker or byte being read
};

// Takes the countdown off the copy's bytes; false when they do not begin with one.
bool TakeCountdown(TapeBlockCopy& copy) {
    if (copy.bytes.size() < CountdownLength) return false;
    const std::uint8_t start = copy.bytes[0];
    if (start != FirstCountdown && start != RepeatCountdown) return false;
    for (std::size_t k = 0; k < CountdownLength; ++k) {
        if (copy.bytes[k] != start - k) return false;
    }
    copy.repeat = start == RepeatCountdown;
    copy.bytes.erase(copy.bytes.begin(), copy.bytes.begin() + CountdownLength);
    return true;
}

}  // namespace

bool IsTapImage(Bytes file) {
    const std::optional<Bytes> signature = FieldOf(file, {0, TapSignature.size()});
    return signature && std::equal(signature->begin(), signature->end(), TapSignature.begin());
}

Result<std::vector<TapePulse>, ReadFailure> TapePulses(Bytes file) {
    const std::optional<std::uint8_t> version = ByteAt(file, TapVersionOffset);
    const std::optional<std::uint32_t> length = LongAt(file, TapLengthOffset);
    if (!version || !length || *version > 1) {
        ReadFailure failure;
        failure.kind = ReadFailureKind::TapVersion;
        failure.container = Container::Tap;
        failure.found = version.value_or(0xFF);
        return Fail(failure);
    }
    // A length field that promises more than the file holds: the pulses there are read.
    ByteReader reader(file.subspan(TapHeaderSize, std::min<std::size_t>(*length, file.size() - TapHeaderSize)));
    std::vector<TapePulse> pulses;
    pulses.reserve(reader.remaining());
    for (;;) {
        const auto at = static_cast<std::uint32_t>(TapHeaderSize + reader.position());
        const std::optional<std::uint8_t> value = reader.Byte();
        if (!value) break;
        if (*value != 0) {
            pulses.push_back({*value * CyclesPerUnit, at});
        } else if (*version == 0) {
            pulses.push_back({OverflowCycles, at});
        } else {
            const std::optional<std::uint32_t> cycles = reader.Long24();
            if (!cycles) break;
            pulses.push_back({*cycles, at});
        }
    }
    return pulses;
}

std::vector<TapeBlockCopy> ReadTapeBlocks(std::span<const TapePulse> pulses) {
    std::vector<TapeBlockCopy> copies;
    std::size_t i = 0;
    while (i < pulses.size()) {
        // A pilot: pulses close to their running mean.
        std::uint64_t sum = pulses[i].cycles;
        std::size_t count = 1;
        std::size_t j = i + 1;
        while (j < pulses.size() && Near(pulses[j].cycles, sum, count)) {
            sum += pulses[j].cycles;
            ++count;
            ++j;
        }
        i = j;
        const Thresholds thresholds{static_cast<std::uint32_t>(sum / count)};
        if (count < MinPilotPulses || j + 1 >= pulses.size() || thresholds.mean == 0) continue;
        // The sync marker: long, medium.
        if (thresholds.Classify(pulses[j].cycles) != Pulse::Long ||
            thresholds.Classify(pulses[j + 1].cycles) != Pulse::Medium)
            continue;
        BlockDecoder decoder(pulses, thresholds, j + 2);
        TapeBlockCopy copy = decoder.Decode();
        i = std::max(decoder.position(), j + 2);
        if (TakeCountdown(copy)) copies.push_back(std::move(copy));
    }
    return copies;
}

}  // namespace pxm

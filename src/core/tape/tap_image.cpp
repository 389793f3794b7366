#include "core/tape/tap_image.h"

#include <algorithm>

namespace pxm {

namespace {

using Tape = std::vector<std::uint8_t>;

constexpr std::string_view TapSignature = "C64-TAPE-RAW";
constexpr std::uint8_t TapVersion = 1;
constexpr std::size_t TapLengthOffset = 16;
constexpr std::uint8_t ProgramFileType = 0x03;
constexpr std::size_t HeaderPilot = 0x6A00;
constexpr std::size_t DataPilot = 0x1500;
constexpr std::size_t RepeatGap = 0x4F;
constexpr std::size_t Trailer = 0x4E;
constexpr std::uint32_t PauseAfterHeader = 42500;
constexpr std::uint32_t PauseAfterData = 4926240;  // five seconds at the PAL clock
constexpr std::uint8_t FirstCountdown = 0x89;       // the second copy counts down from 0x09
constexpr std::uint8_t RepeatCountdown = 0x09;

// End address (first address after the file) of the fixed-size layouts.
constexpr std::array<std::uint16_t, 4> FixedEndAddress{0x8711, 0x4720, 0x6800, 0xC800};

void WriteTapHeader(Tape& tape) {
    tape.insert(tape.end(), TapSignature.begin(), TapSignature.end());
    tape.push_back(TapVersion);
    tape.insert(tape.end(), 7, 0);  // reserved bytes and the length field, patched at the end
}

void WritePulseRun(std::uint8_t value, std::size_t count, Tape& tape) { tape.insert(tape.end(), count, value); }

void WriteSyncMarker(Tape& tape) {
    tape.push_back(LongPulse);
    tape.push_back(MediumPulse);
}

// One byte as 20 pulses: eight data bits least significant first, an odd-parity check bit,
// then the marker that says whether the block goes on.
void WriteTapeByte(std::uint8_t value, bool last, Tape& tape) {
    std::array<std::uint8_t, 20> record{};
    int ones = 0;
    auto bit = [&](std::size_t at, bool one) {
        record[at] = one ? MediumPulse : ShortPulse;
        record[at + 1] = one ? ShortPulse : MediumPulse;
    };
    for (int b = 0; b < 8; ++b) {
        const bool one = (value >> b) & 1;
        ones += one;
        bit(2 * static_cast<std::size_t>(b), one);
    }
    bit(16, (ones & 1) == 0);
    record[18] = LongPulse;
    record[19] = last ? ShortPulse : MediumPulse;
    tape.insert(tape.end(), record.begin(), record.end());
}

void WriteCountdown(std::uint8_t start, Tape& tape) {
    for (int k = 0; k < 9; ++k) WriteTapeByte(static_cast<std::uint8_t>(start - k), false, tape);
}

void WriteTapeBlock(Tape& tape, std::span<const std::uint8_t> bytes) {
    for (std::size_t k = 0; k < bytes.size(); ++k) WriteTapeByte(bytes[k], k + 1 == bytes.size(), tape);
}

void WriteLongPause(std::uint32_t cycles, Tape& tape) {
    tape.push_back(0);
    for (int shift = 0; shift < 24; shift += 8) tape.push_back(static_cast<std::uint8_t>(cycles >> shift));
}

// Both copies of a block, each after its own countdown.
void WriteRecordedTwice(Tape& tape, std::span<const std::uint8_t> block, std::size_t pilot, std::uint32_t pause) {
    WritePulseRun(ShortPulse, pilot, tape);
    WriteSyncMarker(tape);
    WriteCountdown(FirstCountdown, tape);
    WriteTapeBlock(tape, block);
    WritePulseRun(ShortPulse, RepeatGap, tape);
    WriteSyncMarker(tape);
    WriteCountdown(RepeatCountdown, tape);
    WriteTapeBlock(tape, block);
    WritePulseRun(ShortPulse, Trailer, tape);
    WriteLongPause(pause, tape);
}

void PatchTapLength(Tape& tape, std::size_t imageStart) {
    const std::size_t length = tape.size() - imageStart - TapHeaderSize;
    for (std::size_t k = 0; k < 4; ++k)
        tape[imageStart + TapLengthOffset + k] = static_cast<std::uint8_t>(length >> (8 * k));
}

std::uint8_t Xor(std::span<const std::uint8_t> bytes) {
    std::uint8_t sum = 0;
    for (const std::uint8_t b : bytes) sum ^= b;
    return sum;
}

}  // namespace

TapeHeaderBlock BuildTapeHeaderBlock(ExportFormat format, std::size_t length) {
    TapeHeaderBlock block{};
    const FormatInfo& info = InfoOf(format);
    const std::uint16_t start = info.loadAddress;
    const auto end = format == ExportFormat::Sp2 ? static_cast<std::uint16_t>(start + length)
                                                 : FixedEndAddress[static_cast<std::size_t>(format)];
    block[0] = ProgramFileType;
    block[1] = static_cast<std::uint8_t>(start & 0xFF);
    block[2] = static_cast<std::uint8_t>(start >> 8);
    block[3] = static_cast<std::uint8_t>(end & 0xFF);
    block[4] = static_cast<std::uint8_t>(end >> 8);
    std::copy(info.c64Name.begin(), info.c64Name.end(), block.begin() + 5);
    std::fill(block.begin() + 21, block.begin() + 192, std::uint8_t{0x20});
    block[192] = Xor(std::span(block).first(192));
    return block;
}

void WriteTapeImage(Tape& out, std::span<const std::uint8_t> data, ExportFormat format) {
    const TapeHeaderBlock header = BuildTapeHeaderBlock(format, data.size());
    std::vector<std::uint8_t> dataBlock(data.begin(), data.end());
    dataBlock.push_back(Xor(data));

    const std::size_t imageStart = out.size();
    WriteTapHeader(out);
    WriteRecordedTwice(out, header, HeaderPilot, PauseAfterHeader);
    WriteRecordedTwice(out, dataBlock, DataPilot, PauseAfterData);
    PatchTapLength(out, imageStart);
}

}  // namespace pxm

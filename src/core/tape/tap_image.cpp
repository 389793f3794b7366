#include "core/tape/tap_image.h"

#include <algorithm>

#include "core/base/byte_writer.h"
#include "core/tape/tape_layout.h"

namespace pxm {

namespace {

using Tape = std::vector<std::uint8_t>;

constexpr std::uint8_t TapVersion = 1;
constexpr std::size_t TapReservedSize = 3;
static_assert(TapVersionOffset + 1 + TapReservedSize == TapLengthOffset && TapLengthOffset + 4 == TapHeaderSize);
constexpr std::size_t HeaderPilot = 0x6A00;
constexpr std::size_t DataPilot = 0x1500;
constexpr std::size_t RepeatGap = 0x4F;
constexpr std::size_t Trailer = 0x4E;
constexpr std::uint32_t PauseAfterHeader = 42500;
constexpr std::uint32_t PauseAfterData = 4926240;  // five seconds at the PAL clock

constexpr std::size_t NameAt = TapeNameField.offset;
constexpr std::size_t PaddingAt = TapeNameField.end();  // spaces up to the checksum
constexpr std::size_t ChecksumAt = TapeHeaderBlockSize - 1;

void WriteTapHeader(Tape& tape) {
    // The length is patched in at the end.
    ByteWriter(tape).Text(TapSignature).Byte(TapVersion).Fill(TapReservedSize, 0).Long(0);
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
    for (std::size_t k = 0; k < CountdownLength; ++k) WriteTapeByte(static_cast<std::uint8_t>(start - k), false, tape);
}

void WriteTapeBlock(Tape& tape, std::span<const std::uint8_t> bytes) {
    for (std::size_t k = 0; k < bytes.size(); ++k) WriteTapeByte(bytes[k], k + 1 == bytes.size(), tape);
}

// A zero pulse, then the pause's length in cycles.
void WriteLongPause(std::uint32_t cycles, Tape& tape) { ByteWriter(tape).Byte(0).Long24(cycles); }

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
    PutLongAt(std::span(tape).subspan(imageStart), TapLengthOffset, static_cast<std::uint32_t>(length));
}

std::uint8_t Xor(std::span<const std::uint8_t> bytes) {
    std::uint8_t sum = 0;
    for (const std::uint8_t b : bytes) sum ^= b;
    return sum;
}

}  // namespace

TapeHeaderBlock BuildTapeHeaderBlock(const C64File& file) {
    TapeHeaderBlock block{};
    const auto end = static_cast<std::uint16_t>(file.loadAddress + file.data.size());
    PutByteAt(block, FileTypeAt, ProgramFileType);
    PutWordAt(block, StartAddressAt, file.loadAddress);
    PutWordAt(block, EndAddressAt, end);
    // A name shorter than the field leaves zero bytes there, as the picture files always had.
    std::copy_n(file.name.begin(), std::min(file.name.size(), C64NameLength), block.begin() + NameAt);
    std::fill(block.begin() + PaddingAt, block.begin() + ChecksumAt, std::uint8_t{0x20});
    PutByteAt(block, ChecksumAt, Xor(std::span(block).first(ChecksumAt)));
    return block;
}

void WriteTapeImage(Tape& out, const C64File& file) {
    const TapeHeaderBlock header = BuildTapeHeaderBlock(file);
    std::vector<std::uint8_t> dataBlock(file.data.begin(), file.data.end());
    dataBlock.push_back(Xor(file.data));

    const std::size_t imageStart = out.size();
    WriteTapHeader(out);
    WriteRecordedTwice(out, header, HeaderPilot, PauseAfterHeader);
    WriteRecordedTwice(out, dataBlock, DataPilot, PauseAfterData);
    PatchTapLength(out, imageStart);
}

}  // namespace pxm

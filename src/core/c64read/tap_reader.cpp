#include "core/c64read/tap_reader.h"

#include "core/c64read/program_containers.h"
#include "core/c64read/tape_pulses.h"
#include "core/format/c64_file.h"
#include "core/tape/tap_image.h"
#include "core/tape/tape_layout.h"

namespace pxm {

namespace {

constexpr std::uint8_t NameFill = 0x20;  // the KERNAL pads names with spaces

// One block as the tape holds it: its first copy and, right behind it, its repeat.
struct TapeBlockPair {
    const TapeBlockCopy* first = nullptr;
    const TapeBlockCopy* repeat = nullptr;
};

std::vector<TapeBlockPair> PairCopies(const std::vector<TapeBlockCopy>& copies) {
    std::vector<TapeBlockPair> pairs;
    for (std::size_t k = 0; k < copies.size(); ++k) {
        if (copies[k].repeat) {
            pairs.push_back({nullptr, &copies[k]});
        } else if (k + 1 < copies.size() && copies[k + 1].repeat) {
            pairs.push_back({&copies[k], &copies[k + 1]});
            ++k;
        } else {
            pairs.push_back({&copies[k], nullptr});
        }
    }
    return pairs;
}

struct BlockRead {
    Bytes bytes;  // without the checksum, when a copy reads
    TapeError error = TapeError::Pulses;
    std::size_t errorAt = 0;
};

std::optional<TapeError> CheckCopy(const TapeBlockCopy& copy, std::optional<std::size_t> length) {
    if (copy.error) return copy.error;
    std::uint8_t sum = 0;
    for (const std::uint8_t b : copy.bytes) sum ^= b;  // the checksum byte included: zero when it agrees
    if (copy.bytes.empty() || sum != 0) return TapeError::Checksum;
    if (length && copy.bytes.size() != *length + 1) return TapeError::Length;
    return std::nullopt;
}

// The bytes of the first copy that reads (of `length` bytes when given), else the first copy's failure.
bool ReadBlock(const TapeBlockPair& pair, std::optional<std::size_t> length, BlockRead& read) {
    bool failed = false;
    for (const TapeBlockCopy* copy : {pair.first, pair.repeat}) {
        if (copy == nullptr) continue;
        const std::optional<TapeError> error = CheckCopy(*copy, length);
        if (!error) {
            read.bytes = Bytes(copy->bytes).first(copy->bytes.size() - 1);
            return true;
        }
        if (!failed) {
            read.error = *error;
            read.errorAt = copy->errorAt;
            failed = true;
        }
    }
    return false;
}

ReadFailure TapeFailure(ReadFailureKind kind) {
    ReadFailure failure;
    failure.kind = kind;
    failure.container = Container::Tap;
    return failure;
}

ReadFailure BadBlock(TapeBlock block, const BlockRead& read) {
    ReadFailure failure = TapeFailure(ReadFailureKind::TapBadBlock);
    failure.block = block;
    failure.tapeError = read.error;
    failure.at = read.errorAt;
    return failure;
}

}  // namespace

namespace {

// The program file whose header block is pairs[at], its data block the pair after it.
Result<TapeFile, ReadFailure> ReadTapeFile(const std::vector<TapeBlockPair>& pairs, std::size_t at) {
    BlockRead header;
    if (!ReadBlock(pairs[at], TapeHeaderBlockSize - 1, header)) return Fail(BadBlock(TapeBlock::Header, header));
    const std::uint8_t type = *ByteAt(header.bytes, FileTypeAt);
    if (type != ProgramFileType && type != RelocatableProgramType) {
        ReadFailure failure = TapeFailure(ReadFailureKind::TapFileType);
        failure.found = type;
        return Fail(failure);
    }
    const std::uint16_t start = *WordAt(header.bytes, StartAddressAt);
    const std::uint16_t end = *WordAt(header.bytes, EndAddressAt);
    std::string name = NameBefore(*FieldOf(header.bytes, TapeNameField), 0);
    if (name.size() == C64NameLength) name.erase(name.find_last_not_of(static_cast<char>(NameFill)) + 1);

    if (at + 1 >= pairs.size()) return Fail(TapeFailure(ReadFailureKind::TapNoData));
    if (end != 0 && end <= start) {
        ReadFailure failure = BadBlock(TapeBlock::Header, header);
        failure.tapeError = TapeError::Length;
        return Fail(failure);
    }
    // The end address is the first after the file; an end of 0 is the top of memory.
    const std::size_t length = (end == 0 ? 0x10000u : end) - start;
    BlockRead data;
    if (!ReadBlock(pairs[at + 1], length, data)) return Fail(BadBlock(TapeBlock::Data, data));
    return TapeFile{start, std::move(name), {data.bytes.begin(), data.bytes.end()}};
}

}  // namespace

Result<std::vector<TapeFile>, ReadFailure> ReadTapImage(Bytes file) {
    const Result<std::vector<TapePulse>, ReadFailure> pulses = TapePulses(file);
    if (!pulses) return Fail(pulses.error());
    const std::vector<TapeBlockCopy> copies = ReadTapeBlocks(*pulses);
    const std::vector<TapeBlockPair> pairs = PairCopies(copies);
    if (pairs.empty()) return Fail(TapeFailure(ReadFailureKind::TapNoHeader));

    // The files one after another, up to the first that does not read; that one's failure
    // when it is the first.
    std::vector<TapeFile> files;
    for (std::size_t at = 0; at < pairs.size(); at += 2) {
        Result<TapeFile, ReadFailure> tapeFile = ReadTapeFile(pairs, at);
        if (!tapeFile) {
            if (files.empty()) return Fail(tapeFile.error());
            break;
        }
        files.push_back(std::move(*tapeFile));
    }
    return files;
}

}  // namespace pxm

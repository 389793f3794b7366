#include "core/c64read/sp2_unpacker.h"

#include <algorithm>

#include "core/export/sp2_packer.h"

namespace pxm {

namespace {

constexpr std::uint8_t RunFlag = 0x80;

ReadFailure Sp2Failure(ReadFailureKind kind) {
    ReadFailure failure;
    failure.kind = kind;
    failure.format = ExportFormat::Sp2;
    failure.expected = Sp2SourceLength;
    return failure;
}

}  // namespace

Status<ReadFailure> UnpackSp2(Bytes stream, PictureData& layout) {
    ByteReader reader(stream);
    std::size_t size = 0;
    while (!reader.AtEnd()) {
        const std::size_t blockAt = reader.position();
        const std::uint8_t control = *reader.Byte();
        const bool run = (control & RunFlag) != 0;
        const std::size_t count = run ? (control ^ 0xFFu) + 2u : control + 1u;
        const std::optional<Bytes> operand = reader.Take(run ? 1 : count);
        if (!operand) {
            ReadFailure failure = Sp2Failure(ReadFailureKind::Sp2PastEnd);
            failure.at = blockAt;
            return Fail(failure);
        }
        if (size + count > Sp2SourceLength) {
            ReadFailure failure = Sp2Failure(ReadFailureKind::Sp2WrongLength);
            failure.found = size + count;
            return Fail(failure);
        }
        const auto to = layout.bytes.begin() + static_cast<std::ptrdiff_t>(size);
        if (run) {
            std::fill_n(to, count, (*operand)[0]);
        } else {
            std::copy(operand->begin(), operand->end(), to);
        }
        size += count;
    }
    if (size != Sp2SourceLength) {
        ReadFailure failure = Sp2Failure(ReadFailureKind::Sp2WrongLength);
        failure.found = size;
        return Fail(failure);
    }
    layout.size = size;
    return Done{};
}

}  // namespace pxm

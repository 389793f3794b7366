#include "core/c64read/program_containers.h"

#include <algorithm>
#include <string_view>

#include "core/export/containers.h"
#include "core/format/c64_file.h"

namespace pxm {

namespace {

constexpr std::string_view P00Signature{"C64File\0", 8};
constexpr Field P00NameField{P00Signature.size(), C64NameLength};

}  // namespace

bool IsP00File(Bytes file) {
    const std::optional<Bytes> signature = FieldOf(file, {0, P00Signature.size()});
    return signature && std::equal(signature->begin(), signature->end(), P00Signature.begin());
}

std::string NameBefore(Bytes field, std::uint8_t padding) {
    const auto end = std::find(field.begin(), field.end(), padding);
    return {field.begin(), end};
}

Result<ProgramRead, ReadFailure> ReadPrgFile(Bytes file) {
    ByteReader reader(file);
    const std::optional<std::uint16_t> address = reader.Word();
    if (!address) {
        ReadFailure failure;
        failure.kind = ReadFailureKind::NoLoadAddress;
        failure.found = file.size();
        return Fail(failure);
    }
    return ProgramRead{*address, {}, file.subspan(reader.position())};
}

Result<ProgramRead, ReadFailure> ReadP00File(Bytes file) {
    const std::optional<Bytes> name = FieldOf(file, P00NameField);
    Result<ProgramRead, ReadFailure> program = ReadPrgFile(file.subspan(std::min(file.size(), P00HeaderSize)));
    if (!name || file.size() < P00HeaderSize || !program) {
        ReadFailure failure;
        failure.kind = ReadFailureKind::P00TooShort;
        failure.container = Container::P00;
        failure.found = file.size();
        return Fail(failure);
    }
    program->c64Name = NameBefore(*name, 0);
    return program;
}

}  // namespace pxm

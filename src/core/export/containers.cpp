#include "core/export/containers.h"

#include <algorithm>

#include "core/base/byte_writer.h"

namespace pxm {

namespace {

constexpr std::string_view P00Signature = "C64File";  // followed by a zero byte
constexpr std::size_t P00NameOffset = 8;  // after the signature and its zero byte

}  // namespace

P00Header BuildP00Header(std::string_view c64Name) {
    P00Header header{};
    std::copy(P00Signature.begin(), P00Signature.end(), header.begin());
    std::copy_n(c64Name.begin(), std::min(c64Name.size(), C64NameLength), header.begin() + P00NameOffset);
    return header;
}

LoadAddress LoadAddressBytes(std::uint16_t address) {
    LoadAddress bytes{};
    PutWordAt(bytes, 0, address);
    return bytes;
}

void AppendProgramFile(std::vector<std::uint8_t>& out, const C64File& file, bool withP00Header) {
    ByteWriter writer(out);
    if (withP00Header) writer.Append(BuildP00Header(file.name));
    writer.Append(LoadAddressBytes(file.loadAddress)).Append(file.data);
}

}  // namespace pxm

#include "core/export/containers.h"

#include <algorithm>

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
    return {static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)};
}

void AppendProgramFile(std::vector<std::uint8_t>& out, const C64File& file, bool withP00Header) {
    if (withP00Header) {
        const P00Header header = BuildP00Header(file.name);
        out.insert(out.end(), header.begin(), header.end());
    }
    const LoadAddress address = LoadAddressBytes(file.loadAddress);
    out.insert(out.end(), address.begin(), address.end());
    out.insert(out.end(), file.data.begin(), file.data.end());
}

}  // namespace pxm

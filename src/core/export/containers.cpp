#include "core/export/containers.h"

#include <algorithm>

#include "core/base/byte_writer.h"

namespace pxm {

namespace {

constexpr std::string_view P00Signature = "C64File";  // followed by a zero byte
constexpr std::size_t P00NameOffset = 8;  // after the signature and its zero byte

// Lower case in Windows ANSI (code page 1252), as the system's CharLowerA does there.
char LowerAnsi(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) return static_cast<char>(byte + 32);
    switch (byte) {
        case 0x8A: return static_cast<char>(0x9A);
        case 0x8C: return static_cast<char>(0x9C);
        case 0x8E: return static_cast<char>(0x9E);
        case 0x9F: return static_cast<char>(0xFF);
        default: return c;
    }
}

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

void ReplaceBmpExtension(std::string& name, std::string_view extension) {
    std::transform(name.begin(), name.end(), name.begin(), LowerAnsi);
    const std::size_t at = name.find(".bmp");
    if (at != std::string::npos) name.erase(at);
    name += extension;
}

}  // namespace pxm

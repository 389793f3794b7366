#include "core/text/messages.h"

namespace pxm {

std::string ChosenBackgroundText(std::string_view colourName) {
    std::string text = "Chosen background color: ";
    text += colourName;
    text += '.';
    return text;
}

std::string SystemErrorFallbackText(std::uint32_t code) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string hex = "0x00000000";
    for (int digit = 0; digit < 8; ++digit) hex[9 - digit] = Hex[(code >> (4 * digit)) & 15];
    return "The system has no text for error " + std::to_string(code) + " (" + hex + ").";
}

std::string AnsiToUtf8(std::string_view ansi) {
    // Code page 1252: 0x80-0x9F hold typographic characters, 0xA0-0xFF equal Latin-1.
    static constexpr char16_t High[32] = {
        0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(ansi.size());
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        const char32_t code = byte >= 0x80 && byte < 0xA0 ? High[byte - 0x80] : byte;
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace pxm

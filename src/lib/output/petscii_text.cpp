#include "lib/output/petscii_text.h"

#include <cstdio>

#include "core/format/petscii_name.h"

namespace pxm {

std::string PetsciiText(std::string_view petscii) {
    std::string text;
    for (const char byte : petscii) {
        // The byte stands for itself when typing that character gives it back.
        if (PetsciiOf(byte) == byte) {
            text += byte;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "{$%02X}", static_cast<unsigned char>(byte));
            text += code;
        }
    }
    return text;
}

}  // namespace pxm

#pragma once
// What the converter says when --name gives no C64 file name: the first character that a C64
// cannot show, or the length.
#include <string>
#include <string_view>

#include "core/format/petscii_name.h"

namespace pxm {

// text: the name as given.
std::string NameRefusalText(const PetsciiNameFailure& failure, std::string_view text);

}  // namespace pxm

#pragma once
// What --info prints about a C64 picture file: format, container, load address, C64 name,
// background and the colours its pixels show.
#include <string>

#include "core/c64read/c64_picture.h"

namespace pxm::cli {

std::string C64InfoText(const C64Picture& picture);

}  // namespace pxm::cli

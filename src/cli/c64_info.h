#pragma once
// What --info prints about a C64 picture file: format, container, load address, C64 name,
// background and the colours its pixels show.
#include <string>

#include "core/base/byte_reader.h"
#include "core/c64read/c64_picture.h"

namespace pxm::cli {

std::string C64InfoText(const C64Picture& picture);

// What --info adds for a D64 image: every file on it (name, type, blocks) and, for each program
// file that is a picture, what it is; or why the disk's directory cannot be listed.
std::string DiskListingText(Bytes disk);

}  // namespace pxm::cli

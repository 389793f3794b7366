#pragma once
// What --info prints about a C64 picture file: format, container, load address, C64 name,
// background, bytes after the picture and the colours its pixels show; and the facts of the
// reading a conversion tells too.
#include <string>
#include <vector>

#include "core/base/byte_reader.h"
#include "core/c64read/c64_picture.h"

namespace pxm {

std::string C64InfoText(const C64Picture& picture);

// What --info adds for a D64 image: every file on it (name, type, blocks) and, for each program
// file that is a picture, what it is; or why the disk's directory cannot be listed.
std::string DiskListingText(Bytes disk);

// What reading assumed or ignored (a missing load address, padding after the picture, background
// bytes that disagree): "Key: text" lines without their full stop; none for a file read as it stands.
std::vector<std::string> C64ReadingNotes(const C64Picture& picture);

}  // namespace pxm

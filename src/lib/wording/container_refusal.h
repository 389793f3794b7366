#pragma once
// What the converter says when the chosen container cannot take the file it built.
#include <string>

#include "core/disk/d64_image.h"

namespace pxm {

std::string ContainerRefusalText(const TooLargeForDisk& file);

}  // namespace pxm

#pragma once
// Why a C64 file was refused, in the converter's words: what was found, where, and what a
// picture would have there.
#include <string>

#include "core/c64read/read_failure.h"

namespace pxm {

std::string C64RefusalText(const ReadFailure& failure);

// "PRG file", "P00 file", "TAP image" or "D64 image".
std::string_view ContainerName(std::optional<Container> container);

// "$6000".
std::string AddressText(unsigned address);

}  // namespace pxm

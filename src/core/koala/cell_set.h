#pragma once
// A set of character cells, one bit each, numbered row by row as the koalizers number them.
#include <bitset>

#include "core/koala/koala_image.h"

namespace pxm {

using CellSet = std::bitset<CellCount>;

}  // namespace pxm

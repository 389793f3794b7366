#pragma once
// The different pixel values one character cell holds, for telling the user why a cell does
// not koalize.
#include <cstdint>
#include <vector>

#include "core/import/canvas.h"

namespace pxm {

// Every value that occurs in cell n (row by row, as the koalizers number cells), ascending,
// each once. Values above 15 from a 256-colour file are kept as they are.
std::vector<std::uint8_t> DistinctCellColours(const Canvas& canvas, int cell);

}  // namespace pxm

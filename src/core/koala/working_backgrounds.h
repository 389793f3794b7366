#pragma once
// Every background under which a picture koalizes in multicolour mode.
#include <cstdint>
#include <vector>

#include "core/import/canvas.h"

namespace pxm {

// Ascending. A background works exactly when no cell stops it.
std::vector<std::uint8_t> WorkingBackgrounds(const Canvas& canvas);

}  // namespace pxm

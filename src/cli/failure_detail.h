#pragma once
// One line for a C64 artist naming the cell or pixel that stopped a koalization, in the BMP's
// own pixel coordinates (x from the left, y from the top).
#include <string>

#include "core/import/bmp_reader.h"
#include "core/import/canvas.h"
#include "core/koala/koalize_step.h"

namespace pxm::cli {

std::string FailureDetail(const Canvas& canvas, const BmpInfo& info, const KoalizeOutcome& outcome);

}  // namespace pxm::cli

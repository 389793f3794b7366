#pragma once
// The converter's own showing programs (-x), described for the core's reader: the BASIC line and
// displayer they start with, and where the displayer's parameter block stands.
#include "core/c64read/showing_program.h"

namespace pxm {

const ShowingProgramLayout& ConverterProgramLayout();

}  // namespace pxm

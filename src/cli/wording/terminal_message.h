#pragma once
// The converter's usage errors on the terminal.
#include <ostream>
#include <string_view>

#include "lib/wording/shown_message.h"

namespace pxm::cli {

// Returns the exit status of a usage error.
int ShowUsageError(std::ostream& err, std::string_view error);

}  // namespace pxm::cli

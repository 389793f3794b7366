#pragma once
// The converter's --help and --version texts and its one-line usage.
#include <string>
#include <string_view>

#include "core/version.h"
#include "lib/wording/usage_error.h"

namespace pxm::cli {

inline constexpr std::string_view VersionText = "pixmosaic-cli " PIXMOSAIC_VERSION "\n";

std::string HelpText();

}  // namespace pxm::cli

#pragma once
// The converter's --help and --version texts and its one-line usage.
#include <string>
#include <string_view>

#include "core/version.h"

namespace pxm::cli {

inline constexpr std::string_view VersionText = "pixmosaic-cli " PIXMOSAIC_VERSION "\n";
inline constexpr std::string_view UsageLine =
    "Usage: pixmosaic-cli [options] INPUT [-o OUTPUT]\n"
    "       pixmosaic-cli [options] INPUT... -o FOLDER/\n";

std::string HelpText();

}  // namespace pxm::cli

#pragma once
// What the converter says of options that cannot be taken as given: the error, its usage lines
// and where to read more.
#include <string>
#include <string_view>

namespace pxm {

inline constexpr std::string_view UsageLine =
    "Usage: pixmosaic-cli [options] INPUT [-o OUTPUT]\n"
    "       pixmosaic-cli [options] INPUT... -o FOLDER/\n";

// "pixmosaic-cli: ERROR", the usage lines and the pointer to --help.
std::string UsageErrorText(std::string_view error);

}  // namespace pxm

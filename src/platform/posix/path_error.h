#pragma once
// errno of a failed call on a path, told apart as Windows tells it: ENOENT for a file whose
// directory is missing becomes ENOTDIR ("path not found" rather than "file not found").
#include <string_view>

#include "platform/system_error.h"

namespace pxm::platform {

SystemError PathError(int error, std::string_view path);

}  // namespace pxm::platform
